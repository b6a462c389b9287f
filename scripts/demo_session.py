"""The whole road of a login against the local counterparts: the services
start, the launcher starts in a fresh installation folder and Wine prefix,
registers the components and installs the certificates itself, finds no
update, and a player logs in and sees the game stand-in start.

With DISPLAY set the player is the person at the display (the demo account
is printed); without one a scripted session under Xvfb plays the part and
saves screenshots in build/demo/."""
import json
import os
import shutil
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT))
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from counterparts.services.deployment import load_deployment  # noqa: E402
from counterparts.services.run import start_services, stop_services  # noqa: E402
from launcher_panels import (LOGIN_BUTTON, PASSWORD_EDIT, SERVER_LIST, STATUS_LINE,  # noqa: E402
                             USER_NAME_EDIT, VERSION_LABEL)
from vantor_bench.display import Display  # noqa: E402
from vantor_bench.programs import LAUNCHER_TITLE, InstallFolder, Program  # noqa: E402
from vantor_bench.uidriver import UiDriver, wait_for  # noqa: E402
from vantor_bench.wine import WineEnv  # noqa: E402

BUILD = ROOT / "build" / "win32"
DEMO = ROOT / "build" / "demo"
SERVICES_CONFIG = ROOT / "counterparts" / "services" / "dev.json"
COMPONENT_KEY = r"Software\Classes\CLSID\{C47F5BD3-0E04-41C5-A417-FA453F5EE3BE}\InprocServer32"
DEVELOPMENT_CA = "Vantor Development Root CA"
GAME_RECORD = "Vantor.cmdline.txt"


class Session:
    """The services, the display, the Wine prefix and the UI driver of one demo."""

    def __init__(self, display_name=None):
        self.display = None if display_name else Display.start()
        self.wine = WineEnv(display_name or self.display.name, root=DEMO).boot()
        self.ui = UiDriver(self.wine, BUILD / "tools" / "uidriver.exe")
        self.shots = 0

    def close(self):
        self.ui.close()
        self.wine.destroy()
        if self.display:
            self.display.stop()

    def screenshot(self, name):
        if not self.display:
            return
        self.shots += 1
        path = DEMO / f"{self.shots:02d}-{name}.png"
        self.display.screenshot(path)
        print(f"  screenshot: {path.relative_to(ROOT)}")

    def component_registered(self):
        value = self.ui.reg_read("HKLM", COMPONENT_KEY, "")
        return value.rstrip(b"\0").decode("gbk") if value else None

    def development_ca_trusted(self):
        tool = BUILD / "tools" / "cert_store_list.exe"
        listing = self.wine.run([tool, "Root"], timeout=60).stdout.decode("gbk", "replace")
        return DEVELOPMENT_CA in listing


def prepare():
    shutil.rmtree(DEMO, ignore_errors=True)
    DEMO.mkdir(parents=True)
    folder = InstallFolder(DEMO / "Vantor Online", BUILD / "image")
    folder.write("TesseraEngine.ini", "[Launcher]\r\nLauncherVersion=1.0.0.1\r\n")
    return folder


def demo_account(config):
    """(user, password) of the first account of the login service that may log in."""
    accounts = config["login"]["accounts"]
    return next((user, a["password"]) for user, a in accounts.items() if not a.get("disabled"))


def start_counterparts(config):
    deployment = load_deployment(BUILD / "generated" / "deployment.json")
    try:
        running = start_services(config, deployment)
    except OSError as error:
        sys.exit(f"demo: the counterpart services cannot start: {error}\n"
                 "(ports 80 and 443 of the loopback hosts need root, and nothing else may listen there)")
    for service in running:
        for line in service.describe():
            print(line)
    return running


def game_window(ui):
    return next((w for w in ui.windows() if w.visible and w.text.startswith("Vantor Online —")), None)


def report_game(folder, ui):
    record = folder.file(GAME_RECORD)
    line = wait_for(lambda: record.exists() and record.read_bytes(), 60, what="the game stand-in's record")
    print(f"game started with: {line.decode('gbk', 'replace')}")
    window = wait_for(lambda: game_window(ui), 60, what="the game stand-in's window")
    print(f"game window: {window.text!r}")
    return window


def scripted(folder, account):
    user, password = account
    session = Session()
    try:
        print(f"\ninstallation folder: {folder.path}")
        launcher = Program(session.wine, folder.file("VantorLogin.exe"), [], folder.path, DEMO)
        window = session.ui.wait_window(title=LAUNCHER_TITLE, timeout=60)
        print(f"launcher window up: {window.text!r}, client {window.client[2]}x{window.client[3]}")
        print(f"  status line: {session.ui.control(window.hwnd, STATUS_LINE).text!r}")
        print(f"  version label: {session.ui.control(window.hwnd, VERSION_LABEL).text!r}")
        session.screenshot("launcher-started")

        wait_for(lambda: session.ui.control(window.hwnd, LOGIN_BUTTON).visible, 60, what="the update check")
        print("update check: no update, the server list is shown")
        session.screenshot("no-update-server-list")

        registered = wait_for(session.component_registered, 60, what="the component registration")
        print(f"component registered by the launcher's start: {registered}")
        wait_for(session.development_ca_trusted, 120, what="the certificate installation")
        print(f"certificates installed by certs\\Trustfit.exe: {DEVELOPMENT_CA!r} is a trusted root")

        regions = session.ui.items(window.hwnd, SERVER_LIST)["items"]
        print(f"regions: {regions}; choosing {regions[0]!r}")
        session.ui.double_click_item(window.hwnd, SERVER_LIST, 0)
        wait_for(lambda: session.ui.control(window.hwnd, USER_NAME_EDIT).visible, 30, what="the credential fields")
        session.ui.type_text(window.hwnd, USER_NAME_EDIT, user)
        session.ui.type_text(window.hwnd, PASSWORD_EDIT, password)
        print(f"typed user {user!r} and its password")
        session.screenshot("credentials-typed")

        session.ui.click(window.hwnd, LOGIN_BUTTON)
        print("login pressed")
        game = report_game(folder, session.ui)
        print(f"launcher ended with code {launcher.wait_exit(timeout=60)}")
        session.screenshot("game-started")
        session.ui.post_close(game.hwnd)
    finally:
        session.close()


def interactive(folder, account):
    session = Session(os.environ["DISPLAY"])
    try:
        print(f"\ninstallation folder: {folder.path}")
        print(f"log in with user {account[0]!r}, password {account[1]!r}; closing the launcher ends the demo")
        launcher = Program(session.wine, folder.file("VantorLogin.exe"), [], folder.path, DEMO)
        launcher.wait_exit(timeout=None)
        if folder.file(GAME_RECORD).exists():
            game = report_game(folder, session.ui)
            print("close the game stand-in's window to end")
            wait_for(lambda: not session.ui.window(game.hwnd).exists, 24 * 3600, interval=0.5,
                     what="the game window to close")
    finally:
        session.close()


def main():
    folder = prepare()
    config = json.loads(SERVICES_CONFIG.read_text(encoding="utf-8"))
    running = start_counterparts(config)
    try:
        if os.environ.get("DISPLAY"):
            interactive(folder, demo_account(config))
        else:
            scripted(folder, demo_account(config))
    except (TimeoutError, subprocess.TimeoutExpired) as error:
        sys.exit(f"demo: {error}")
    finally:
        stop_services(running)


if __name__ == "__main__":
    main()
