"""Runs the launcher in a fresh installation folder and Wine prefix: in a real
window when DISPLAY is set (until the player closes it), otherwise as a
scripted session under Xvfb with screenshots in build/demo/."""
import os
import shutil
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from vantor_bench.display import Display  # noqa: E402
from vantor_bench.programs import LAUNCHER_TITLE, InstallFolder, Program  # noqa: E402
from vantor_bench.uidriver import UiDriver  # noqa: E402
from vantor_bench.wine import WineEnv  # noqa: E402

BUILD = ROOT / "build" / "win32"
DEMO = ROOT / "build" / "demo"
VK_ESCAPE = 0x1B


def prepare():
    shutil.rmtree(DEMO, ignore_errors=True)
    DEMO.mkdir(parents=True)
    folder = InstallFolder(DEMO / "Vantor Online", BUILD / "image")
    folder.write("TesseraEngine.ini", "[Launcher]\r\nLauncherVersion=1.0.0.1\r\n")
    return folder


def interactive(folder):
    wine = WineEnv(os.environ["DISPLAY"], root=DEMO).boot()
    print(f"launcher starting in {folder.path} (close its window to end)")
    try:
        Program(wine, folder.file("VantorLogin.exe"), [], folder.path, DEMO).wait_exit(timeout=None)
    finally:
        wine.destroy()


def scripted(folder):
    display = Display.start()
    wine = WineEnv(display.name, root=DEMO).boot()
    ui = UiDriver(wine, BUILD / "tools" / "uidriver.exe")
    try:
        print(f"installation folder: {folder.path}")
        launcher = Program(wine, folder.file("VantorLogin.exe"), [], folder.path, DEMO)
        window = ui.wait_window(title=LAUNCHER_TITLE, timeout=60)
        print(f"window up: {window.text!r}, client {window.client[2]}x{window.client[3]}")
        print(f"status line: {ui.control(window.hwnd, 1028).text!r}")
        print(f"version label: {ui.control(window.hwnd, 1021).text!r}")
        shot = DEMO / "01-launcher-started.png"
        display.screenshot(shot)
        print(f"screenshot: {shot}")
        info = folder.file("ClientInfo.ini")
        print(f"ClientInfo.ini created: {info.exists()} ({info.stat().st_size} bytes)")
        location = ui.reg_read("HKLM", r"SOFTWARE\Playmoor\VantorOnline", "Location")
        location = location.rstrip(b"\0").decode("gbk") if location else None
        print(f"registry Location: {location!r}")
        ui.key(window.hwnd, VK_ESCAPE)
        print(f"Escape pressed; launcher ended with code {launcher.wait_exit(timeout=30)}")
    finally:
        ui.close()
        wine.destroy()
        display.stop()


def main():
    folder = prepare()
    if os.environ.get("DISPLAY"):
        interactive(folder)
    else:
        scripted(folder)


if __name__ == "__main__":
    main()
