"""The whole road of an update and a login against the local counterparts:
the services start, with the update-info service naming a newer client
(force 1) whose package, made here with parcel.exe, the download service
hands out slowly enough to be watched. The launcher starts in a fresh
installation folder and Wine prefix, registers the components, installs the
certificates, finds the update and ends; the updater downloads the package
with its progress in view, unpacks it, installs the new files and starts the
launcher again, which shows the new version, finds no update and lets the
player log in: the game stand-in starts.

With DISPLAY set the player is the person at the display (the demo account
is printed); without one a scripted session under Xvfb plays the part and
saves screenshots in build/demo/ (demo/ of VANTOR_BUILD_ROOT when that is set)."""
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
from counterparts.services.download import REDIRECT_FIELD, REDIRECT_PATH, DownloadService  # noqa: E402
from counterparts.services.packages import make_release  # noqa: E402
from counterparts.services.run import start_services, stop_services  # noqa: E402
from launcher_panels import (LOGIN_BUTTON, PASSWORD_EDIT, SERVER_LIST, SKEIN_BUTTON, STATUS_LINE,  # noqa: E402
                             USER_NAME_EDIT, VERSION_LABEL)
from vantor_bench.display import Display  # noqa: E402
from vantor_bench.programs import LAUNCHER_TITLE, InstallFolder, Program  # noqa: E402
from vantor_bench.uidriver import UiDriver, wait_for  # noqa: E402
from vantor_bench.wine import WineEnv  # noqa: E402
from update_road import progress_percent  # noqa: E402

BUILD_ROOT = Path(os.environ.get("VANTOR_BUILD_ROOT") or ROOT / "build")
BUILD = Path(os.environ.get("VANTOR_BUILD_DIR") or BUILD_ROOT / "win32")
DEMO = BUILD_ROOT / "demo"
# scripts/make-screenshots.sh sets this: the window pictures then also go to docs/.
DOCS_SHOTS = ROOT / "docs" / "screenshots" if os.environ.get("VANTOR_DEMO_DOCS") else None
SERVICES_CONFIG = ROOT / "counterparts" / "services" / "dev.json"
COMPONENT_KEY = r"Software\Classes\CLSID\{C47F5BD3-0E04-41C5-A417-FA453F5EE3BE}\InprocServer32"
DEVELOPMENT_CA = "Vantor Development Root CA"
GAME_RECORD = "Vantor.cmdline.txt"

UPDATER_TITLE = "Vantor登陆客户端智能升级"
INSTALLED_VERSION = "1.0.0.1"         # LauncherVersion of the installed TesseraEngine.ini
NEW_VERSION = "1.0.0.2"               # LauncherVersion that the update brings
NEW_CLIENT_VERSION = "2006.02.20"     # the update's version, recorded in ClientInfo.ini
PACKAGE_NAME = "VantorUpdate.vpk"
PAYLOAD_NAME = "VantorPatch.dat"      # data of the new client: a package big enough to watch it come in
PAYLOAD_BYTES = 1536 * 1024
DOWNLOAD_RATE = 256 * 1024            # bytes a second: about six seconds of progress
CHECK_DELAY = 2.0                     # seconds the update-info hosts think: the launcher is seen checking
# The scripted session pictures the checking panel, which the window shows
# only once the dialog's initialisation has loaded its web views: there the
# hosts think a little longer.
SCRIPTED_CHECK_DELAY = 10.0
# The updater's own socket client introduces itself so; its address check,
# through the system's HTTP stack, under the program's name.
SOCKET_CLIENT_AGENT = "Mozilla/4.0"


class Session:
    """The services, the display, the Wine prefix and the UI driver of one demo."""

    def __init__(self, display_name=None):
        self.display = None if display_name else Display.start()
        self.wine = WineEnv(display_name or self.display.name, root=DEMO).boot(
            timeout=900, window_manager=self.display is None)
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
        print(f"  screenshot: {path}")

    def window_shot(self, name, hwnd):
        """A picture of one window alone (build/demo/<name>.png, and docs/screenshots/
        for scripts/make-screenshots.sh)."""
        frame = self.ui.window(hwnd)
        if not self.display or not frame.exists:
            return
        x, y, width, height = frame.rect
        path = DEMO / f"{name}.png"
        subprocess.run(["import", "-display", self.display.name, "-window", "root",
                        "-crop", f"{width}x{height}+{x}+{y}", "+repage", str(path)], check=True, timeout=30)
        print(f"  window picture: {path}")
        if DOCS_SHOTS:
            DOCS_SHOTS.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(path, DOCS_SHOTS / path.name)

    def component_registered(self):
        value = self.ui.reg_read("HKLM", COMPONENT_KEY, "")
        return value.rstrip(b"\0").decode("gbk") if value else None

    def development_ca_trusted(self):
        tool = BUILD / "tools" / "cert_store_list.exe"
        listing = self.wine.run([tool, "Root"], timeout=60).stdout.decode("gbk", "replace")
        return DEVELOPMENT_CA in listing


def engine_ini(version):
    return f"[Launcher]\r\nLauncherVersion={version}\r\n"


def prepare():
    shutil.rmtree(DEMO, ignore_errors=True)
    DEMO.mkdir(parents=True)
    folder = InstallFolder(DEMO / "Vantor Online", BUILD / "image")
    folder.write("TesseraEngine.ini", engine_ini(INSTALLED_VERSION))
    return folder


def make_update_package(wine, packages):
    """The new client as the operator releases it: the installed client as the
    old tree, and a new tree with a new TesseraEngine.ini and a data file;
    parcel release makes the manifest that copies both and records the version."""
    old = DEMO / "release-old"
    new = DEMO / "release-new"
    shutil.copytree(BUILD / "image", old)
    (old / "TesseraEngine.ini").write_bytes(engine_ini(INSTALLED_VERSION).encode("gbk"))
    shutil.copytree(old, new)
    (new / "TesseraEngine.ini").write_bytes(engine_ini(NEW_VERSION).encode("gbk"))
    (new / PAYLOAD_NAME).write_bytes(os.urandom(PAYLOAD_BYTES))
    release = make_release(wine, BUILD, old, new, packages / PACKAGE_NAME, NEW_CLIENT_VERSION)
    shutil.rmtree(old)
    shutil.rmtree(new)
    package = release.archive
    print(f"update package {package.name}: {package.stat().st_size} bytes, version {NEW_CLIENT_VERSION}, "
          f"launcher version {NEW_VERSION}, files {', '.join(release.items)}")
    return package


def offer_update(config, deployment, check_delay):
    """The services' configuration for this demo: the update-info service names
    the package (through the download host's redirecting address) with force 1,
    after check_delay seconds, and the download host sends package bodies at DOWNLOAD_RATE."""
    config = json.loads(json.dumps(config))
    address = f"http://{deployment['download_host']}{REDIRECT_PATH}?{REDIRECT_FIELD}={PACKAGE_NAME}"
    update_info = config.setdefault("update_info", {})
    update_info.update(latest_version=NEW_CLIENT_VERSION, package_url=address, force="1")
    for host in update_info.setdefault("hosts", {"A": {}, "B": {}}).values():
        host["delay"] = check_delay
    download = config.setdefault("download", {})
    download["folder"] = str(DEMO / "packages")
    download.setdefault("hosts", {}).setdefault("A", {})["rate"] = DOWNLOAD_RATE
    return config


def demo_account(config):
    """(user, password) of the first account of the login service that may log in."""
    accounts = config["login"]["accounts"]
    return next((user, a["password"]) for user, a in accounts.items() if not a.get("disabled"))


def start_counterparts(config, deployment):
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


def client_version(folder):
    path = folder.file("ClientInfo.ini")
    text = path.read_bytes().decode("gbk", "replace") if path.exists() else ""
    return next((line.split("=", 1)[1].strip() for line in text.splitlines() if line.startswith("Version=")), None)


def by_socket_client(delivery):
    agent = next((value for name, value in delivery.request.headers if name.lower() == "user-agent"), "")
    return agent.startswith(SOCKET_CLIENT_AGENT)


def package_half_sent(download):
    """Waits until the updater's own download of the package is half way (its
    address check asks for the same file but stops after the header)."""
    return download.wait_delivery(
        "A", lambda d: d.kind == "package" and by_socket_client(d) and d.length and d.sent >= d.length // 2
        and not d.finished, timeout=120)


def watch_update(session, folder, download, first_launcher, first_window=None):
    """The update road from the first launcher's end to the second launcher's
    window; returns that window."""
    ui = session.ui
    updater = ui.wait_window(title=UPDATER_TITLE, timeout=60)
    print(f"updater window up: {updater.text!r}")
    print(f"first launcher ended with code {first_launcher.wait_exit(timeout=60)} (forced update)")
    delivery = package_half_sent(download)
    print(f"package download: {delivery.sent} of {delivery.length} bytes sent")
    if session.display:
        print(f"  progress blocks: {progress_percent(session.display, ui, updater)}%")
    session.screenshot("updater-mid-download")
    session.window_shot("updater", updater.hwnd)
    ui.wait_gone(updater.hwnd, timeout=120)
    print(f"updater ended; ClientInfo.ini Version is now {client_version(folder)!r}, "
          f"{PAYLOAD_NAME} installed: {folder.file(PAYLOAD_NAME).exists()}")
    window = ui.wait_window(title=LAUNCHER_TITLE, timeout=60, exclude=(first_window,) if first_window else ())
    print(f"launcher started again by the updater: version label "
          f"{ui.control(window.hwnd, VERSION_LABEL).text!r}")
    return window


def scripted(session, folder, account, download):
    user, password = account
    print(f"\ninstallation folder: {folder.path}")
    first = Program(session.wine, folder.file("VantorLogin.exe"), [], folder.path, DEMO)
    window = session.ui.wait_window(title=LAUNCHER_TITLE, timeout=60)
    # At once, while the update-info hosts still think: the checking panel.
    wait_for(lambda: session.ui.control(window.hwnd, STATUS_LINE).visible, 30, what="the status line")
    session.window_shot("launcher-checking", window.hwnd)
    print(f"launcher window up: {window.text!r}, client {window.client[2]}x{window.client[3]}")
    print(f"  status line: {session.ui.control(window.hwnd, STATUS_LINE).text!r}")
    print(f"  version label: {session.ui.control(window.hwnd, VERSION_LABEL).text!r}")
    session.screenshot("launcher-started")

    window = watch_update(session, folder, download, first, window.hwnd)
    session.screenshot("launcher-new-version")
    if NEW_VERSION not in session.ui.control(window.hwnd, VERSION_LABEL).text:
        sys.exit(f"demo: the launcher does not show version {NEW_VERSION} after the update")

    wait_for(lambda: session.ui.control(window.hwnd, LOGIN_BUTTON).visible, 60, what="the update check")
    print("update check: no update any more, the server list is shown")
    session.ui.select(window.hwnd, SERVER_LIST, 0)
    session.screenshot("no-update-server-list")
    session.window_shot("launcher-server-choice", window.hwnd)

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
    session.window_shot("launcher-credentials", window.hwnd)

    session.ui.click(window.hwnd, LOGIN_BUTTON)
    print("login pressed")
    game = report_game(folder, session.ui)
    session.ui.wait_gone(window.hwnd, timeout=60)
    print("launcher ended after the login")
    session.screenshot("game-started")
    session.ui.post_close(game.hwnd)
    skein_panel(session, folder)


def skein_panel(session, folder):
    """The launcher once more, switched to the Skein panel, whose web view takes
    the place of the login controls (Wine draws no pages: the view stays empty)."""
    launcher = Program(session.wine, folder.file("VantorLogin.exe"), [], folder.path, DEMO)
    window = session.ui.wait_window(title=LAUNCHER_TITLE, timeout=60)
    wait_for(lambda: session.ui.control(window.hwnd, SKEIN_BUTTON).visible, 60, what="the Skein button")
    session.ui.click(window.hwnd, SKEIN_BUTTON)
    wait_for(lambda: not session.ui.control(window.hwnd, SKEIN_BUTTON).visible, 30, what="the Skein panel")
    print("Skein panel shown")
    session.screenshot("skein-panel")
    session.window_shot("launcher-skein", window.hwnd)
    session.ui.post_close(window.hwnd)
    print(f"launcher closed from the Skein panel with code {launcher.wait_exit(timeout=60)}")


def interactive(session, folder, account, download):
    print(f"\ninstallation folder: {folder.path}")
    print(f"the launcher finds version {NEW_CLIENT_VERSION} and hands over to the updater; when it comes back "
          f"showing {NEW_VERSION}, log in with user {account[0]!r}, password {account[1]!r}; "
          "closing the launcher ends the demo")
    first = Program(session.wine, folder.file("VantorLogin.exe"), [], folder.path, DEMO)
    window = watch_update(session, folder, download, first)
    wait_for(lambda: not session.ui.window(window.hwnd).exists, 24 * 3600, interval=0.5,
             what="the launcher to close")
    if folder.file(GAME_RECORD).exists():
        game = report_game(folder, session.ui)
        print("close the game stand-in's window to end")
        wait_for(lambda: not session.ui.window(game.hwnd).exists, 24 * 3600, interval=0.5,
                 what="the game window to close")


def main():
    folder = prepare()
    deployment = load_deployment(BUILD / "generated" / "deployment.json")
    display_name = os.environ.get("DISPLAY")
    config = offer_update(json.loads(SERVICES_CONFIG.read_text(encoding="utf-8")), deployment,
                          CHECK_DELAY if display_name else SCRIPTED_CHECK_DELAY)
    session = Session(display_name)
    running = []
    try:
        make_update_package(session.wine, Path(config["download"]["folder"]))
        running = start_counterparts(config, deployment)
        download = next(s for s in running if isinstance(s, DownloadService))
        if display_name:
            interactive(session, folder, demo_account(config), download)
        else:
            scripted(session, folder, demo_account(config), download)
    except (TimeoutError, subprocess.TimeoutExpired) as error:
        sys.exit(f"demo: {error}")
    finally:
        stop_services(running)
        session.close()


if __name__ == "__main__":
    main()
