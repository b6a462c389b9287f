"""Fixtures of the login's end-to-end tests: the login service on the login
hosts (TLS with the development CA's server certificate), the statistics
service on statistics hosts A and B, and a Wine prefix that trusts the
development CA and has the password-protection component registered.

Loaded by conftest.py (pytest_plugins), or with `-p login_fixtures`; needs
the fixtures of counterpart_fixtures too."""
import subprocess
import sys
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]
if str(REPO) not in sys.path:
    sys.path.insert(0, str(REPO))

from counterparts.services.deployment import load_deployment  # noqa: E402
from counterparts.services.login import LoginService, devca_context  # noqa: E402
from counterparts.services.statistics import StatisticsService  # noqa: E402
from counterparts.encrypt.payload_token import FAILING_PAYLOAD, game_token  # noqa: E402,F401

DEMO_USER, DEMO_PASSWORD = "player1", "vantor123"
DISABLED_USER = "banned1"
COMPONENT = "PlaymoorEncrypt.dll"


class LoginMachine:
    """The session's Wine prefix as a player's machine after a first start:
    the development CA installed by the built certs/Trustfit.exe, and the
    built PlaymoorEncrypt.dll registered with regsvr32."""

    def __init__(self, wine, image):
        self.wine = wine
        self.image = Path(image)
        self.component = self.image / COMPONENT

    def trust_development_ca(self):
        trustfit = self.image / "certs" / "Trustfit.exe"
        result = self.wine.run([trustfit], cwd=trustfit.parent, timeout=120)
        if result.returncode != 0:
            pytest.fail(f"Trustfit.exe ended with {result.returncode}: {result.stdout.decode('gbk', 'replace')}")

    def _regsvr32(self, *switches):
        if not self.component.exists():
            pytest.fail(f"{self.component} missing: the Win32 build has no password-protection component")
        # Imported here: importing the plugin module at load time kept pytest
        # from registering its fixtures.
        from counterpart_fixtures import system_program_of_its_own
        with system_program_of_its_own(self.wine, "regsvr32.exe"):
            result = self.wine.run(["regsvr32", *switches, "/s", self.wine.winpath(self.component)], timeout=120)
        if result.returncode != 0:
            pytest.fail(f"regsvr32 {' '.join(switches)} {COMPONENT} ended with {result.returncode}")

    def register_component(self):
        self._regsvr32()

    def unregister_component(self):
        self._regsvr32("/u")


@pytest.fixture(scope="session")
def login_machine(wine, build_dir):
    """Trusts the development CA and registers the component once per session,
    each awaited, so no test races the launcher's own unawaited starts."""
    machine = LoginMachine(wine, build_dir / "image")
    machine.trust_development_ca()
    machine.register_component()
    return machine


@pytest.fixture
def login_install(login_machine, recorders, install_dir, ui):
    """The installation folder, ready for a login: the prefix trusts the
    development CA and knows the component; recording programs stand in for
    the system's regsvr32.exe and certs\\Trustfit.exe, so that the launcher's start neither
    re-registers the component from this (temporary) folder nor re-imports
    the certificates while a test runs. Afterwards the game stand-ins the
    test's launcher started are closed (by the windows of new processes)."""
    from vantor_bench.programs import LAUNCHER_TITLE
    from vantor_bench.uidriver import wait_for
    before = {window.pid for window in ui.windows()}
    yield install_dir
    started = [w for w in ui.windows() if w.pid not in before and w.visible and w.text != LAUNCHER_TITLE]
    for window in started:
        ui.post_close(window.hwnd)
    try:
        wait_for(lambda: not any(ui.window(w.hwnd).exists for w in started), 30, what="the game stand-ins to close")
    except TimeoutError as error:
        print(f"login_install: {error}")


@pytest.fixture
def component_unregistered(login_machine):
    """The password-protection component is not registered for this test;
    registered again afterwards."""
    login_machine.unregister_component()
    yield login_machine
    login_machine.register_component()


@pytest.fixture
def login_service(build_dir):
    """The login service on login hosts "1", "2", "3" (ports 443 and 80, TLS),
    with the demo account and a disabled one, for this test. Change it with
    add_account, set_maintenance, advance_clock, configure(host, ...),
    use_certificate; read requests(host), wait_requests(host, count, timeout),
    answers, ticket_owner(ticket), hosts[name].empty_connections."""
    deployment = load_deployment(build_dir / "generated" / "deployment.json")
    accounts = {DEMO_USER: {"password": DEMO_PASSWORD},
                DISABLED_USER: {"password": DEMO_PASSWORD, "disabled": True}}
    service = LoginService.on_deployment(deployment, accounts,
                                         devca_context(build_dir / "counterparts" / "devca")).start()
    yield service
    service.stop()


@pytest.fixture
def stat_service(build_dir):
    """The statistics service on hosts "A" and "B" (port 80), both answering
    200, for this test. configure(host, status=404 | down=True); reports(host)."""
    deployment = load_deployment(build_dir / "generated" / "deployment.json")
    service = StatisticsService.on_deployment(deployment).start()
    yield service
    service.stop()


@pytest.fixture
def untrusted_certificate(tmp_path, build_dir):
    """(chain, key) of a throwaway self-signed certificate that names every
    login host, so that only the trust is wrong, never the name."""
    deployment = load_deployment(build_dir / "generated" / "deployment.json")
    names = ",".join(f"IP:{h},DNS:{h}" for h in deployment["login_hosts"])
    cert, key = tmp_path / "untrusted.pem", tmp_path / "untrusted.key"
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-sha256", "-days", "2",
                    "-subj", "/O=Nobody/CN=Untrusted Login Host", "-addext", f"subjectAltName={names}",
                    "-keyout", str(key), "-out", str(cert)], check=True, capture_output=True, timeout=60)
    return cert, key


# ---- the road of a login, as the tests walk it --------------------------------------------

SERVER_LIST, USER_NAME_EDIT, PASSWORD_EDIT, LOGIN_BUTTON = 1029, 1023, 1024, 1027
PROGRAM_NAME = "VantorLogin"
GAME_COMMAND_LINE_FILE = "Vantor.cmdline.txt"


def open_credentials(launcher, ui, location_index=0, timeout=60):
    """Starts the launcher, waits for the server list, double-clicks a location
    and waits for the credential fields; returns (program, window)."""
    from launcher_panels import visible, wait_for_login_panel
    from vantor_bench.uidriver import wait_for
    program, window = launcher()
    wait_for_login_panel(ui, window, timeout)
    ui.double_click_item(window.hwnd, SERVER_LIST, location_index)
    wait_for(lambda: visible(ui, window, USER_NAME_EDIT), 30, what="the credential fields")
    return program, window


def log_in(ui, window, user, password):
    """Types the credentials into empty fields and presses the login button."""
    ui.type_text(window.hwnd, USER_NAME_EDIT, user)
    ui.type_text(window.hwnd, PASSWORD_EDIT, password)
    ui.click(window.hwnd, LOGIN_BUTTON)


def retype(ui, window, user, password):
    """Replaces the fields' contents and presses the login button again."""
    ui.set_text(window.hwnd, USER_NAME_EDIT, "")
    ui.set_text(window.hwnd, PASSWORD_EDIT, "")
    log_in(ui, window, user, password)


def fields(ui, window):
    return ui.control(window.hwnd, USER_NAME_EDIT).text, ui.control(window.hwnd, PASSWORD_EDIT).text


def take_message(ui, timeout=60):
    """Waits for the launcher's message box, presses OK, waits for it to go;
    returns (caption, text, buttons)."""
    from vantor_bench.uidriver import wait_for
    box = ui.wait_message_box(timeout=timeout)
    seen = (box.caption, box.text, box.buttons)
    ui.press(box)
    wait_for(lambda: ui.message_box() is None, 30, what="the message box to close")
    return seen


def game_command_line(install_dir, timeout=60):
    """The command line Vantor.exe recorded beside itself (bytes as received)."""
    from vantor_bench.uidriver import wait_for
    path = Path(install_dir) / GAME_COMMAND_LINE_FILE
    return wait_for(lambda: path.exists() and path.read_bytes(), timeout, what=f"{path.name}")


def expected_game_command_line(wine, install_dir, location_id, user, token):
    folder = wine.winpath(install_dir)
    return f'"{folder}\\Vantor.exe" {location_id} {user} {token} 1'.encode("gbk")
