"""What the end-to-end tests of the update road share: update packages made
as the operator makes them, installation folders as the updater finds them,
the updater's window, and the processes a test leaves behind.

Its fixtures (at the end) are loaded by conftest.py (pytest_plugins)."""
import hashlib
import os
import re
import shutil
import sys
import zipfile
from dataclasses import dataclass
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]
if str(REPO) not in sys.path:
    sys.path.insert(0, str(REPO))

from counterparts.services.packages import make_package, make_release, manifest_document, sign_package  # noqa: E402
from launcher_panels import DEFAULT_VERSION, write_client_info  # noqa: E402
from vantor_bench.uidriver import wait_for  # noqa: E402

UPDATER_EXE = "VantorUpdate.exe"
LAUNCHER_EXE = "VantorLogin.exe"
SELF_UPDATE_EXE = "autoupdate.exe"
UPDATER_TITLE = "Vantor登陆客户端智能升级"
PROGRESS_BAR = 1001
PROGRESS_FILL = (74, 134, 214)   # the blocks' colour
PARCELKIT_MISSING = "Parcelkit.dll文件丢失,请重新安装该软件!"
NOT_REPLACED = "无法替换文件{},它可能正被其他程序使用。请关闭该程序后重新启动登陆器完成升级!"
MANIFEST = "updateFile.xml"
PACKAGE = "VantorUpdate.vpk"
NEW_VERSION = "2006.02.01"
# The updater's own socket client names itself so; the system HTTP stack that
# resolves the final address uses the program's name.
SOCKET_CLIENT_AGENT = "Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)"
LOCATION_KEY = r"SOFTWARE\Playmoor\VantorOnline"
SW_MINIMIZE = 6


# ---- update packages -----------------------------------------------------------------------

@dataclass(frozen=True)
class UpdatePackage:
    archive: Path     # the zip archive the download server serves
    version: str
    files: dict       # path in the installation folder ("\\" between folders) -> its bytes (or a file holding them)
    items: tuple      # the manifest's copy list, in order


def write_tree(folder, files):
    """Writes files ({path with "\\" between folders: bytes, or the Path of a file}) below folder."""
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    for path, data in files.items():
        target = folder / path.replace("\\", "/")
        target.parent.mkdir(parents=True, exist_ok=True)
        if isinstance(data, Path):
            shutil.copyfile(data, target)
        else:
            target.write_bytes(data)
    return folder


def make_update_package(wine, build_dir, work, files, version=NEW_VERSION, name=PACKAGE):
    """The release an operator makes of files ({installed path: bytes, or the Path of a
    file}) with parcel.exe release: against an old tree that has the files' folders and
    none of the files, so every file is new; the copy order is parcel's."""
    work = Path(work)
    old = work / "old"
    old.mkdir(parents=True)
    for path in files:
        if "\\" in path:
            (old / path.replace("\\", "/")).parent.mkdir(parents=True, exist_ok=True)
    new = write_tree(work / "new", files)
    release = make_release(wine, build_dir, old, new, work / name, version)
    shutil.rmtree(old)
    shutil.rmtree(new)
    return UpdatePackage(release.archive, version, dict(files), release.items)


def make_handmade_package(wine, build_dir, work, files, version=NEW_VERSION, items=None, name=PACKAGE):
    """A package that no release would make (a self-update program, a manifest that
    lists other files than it carries, an empty version): files packed with a
    hand-written manifest listing items (default: every file, in order) by parcel.exe
    pack and signed. The package format holds bare file names, so a file in a
    subfolder travels as a further entry of the zip archive, which the unpack
    writes below Update\\ with its folders."""
    work = Path(work)
    source = work / "source"
    source.mkdir(parents=True)
    nested = {}
    for path, data in files.items():
        if "\\" in path:
            nested[path.replace("\\", "/")] = data
        elif isinstance(data, Path):
            shutil.copyfile(data, source / path)
        else:
            (source / path).write_bytes(data)
    items = tuple(files if items is None else items)
    archive = make_package(wine, build_dir, source, manifest_document(version, list(items)), work / name,
                           sign=not nested)
    if nested:
        with zipfile.ZipFile(archive, "a", zipfile.ZIP_DEFLATED) as z:
            for entry, data in nested.items():
                z.writestr(entry, data)
        sign_package(wine, build_dir, archive)
    shutil.rmtree(source)
    return UpdatePackage(archive, version, dict(files), items)


def marked_launcher(build_dir, marker):
    """The built launcher with a marker after its image: it still runs, and a
    copy of it is told apart from the installed one."""
    return (Path(build_dir) / "image" / LAUNCHER_EXE).read_bytes() + b"\0" + marker.encode("ascii")


def write_incompressible(path, size):
    """Writes size random bytes (no zip step makes them smaller) to path, quickly."""
    with open(path, "wb") as f:
        for at in range(0, size, 1 << 24):
            f.write(os.urandom(min(1 << 24, size - at)))
    return Path(path)


# ---- the installation folder ---------------------------------------------------------------

def digest(path):
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for chunk in iter(lambda: f.read(1 << 20), b""):
            h.update(chunk)
    return h.hexdigest()


def installed_files(folder):
    """{relative POSIX path: SHA-256} of every file outside Update\\ (the
    installation as the player has it)."""
    folder = Path(folder)
    return {p.relative_to(folder).as_posix(): digest(p) for p in sorted(folder.rglob("*"))
            if p.is_file() and p.relative_to(folder).parts[0] != "Update"}


def update_folder(folder):
    """{relative POSIX path: size} of every file below Update\\."""
    update = Path(folder) / "Update"
    return {p.relative_to(update).as_posix(): p.stat().st_size for p in sorted(update.rglob("*")) if p.is_file()}


def client_version(folder):
    """[ClientInfo] Version of ClientInfo.ini (None when the key is missing)."""
    text = (Path(folder) / "ClientInfo.ini").read_bytes().decode("gbk", "replace")
    section = re.search(r"\[ClientInfo\](.*?)(?:\n\s*\[|\Z)", text, re.S)
    found = section and re.search(r"^\s*Version\s*=\s*(.*?)\s*$", section.group(1), re.M)
    return found.group(1) if found else None


def prepare_install(wine, ui, folder, version=DEFAULT_VERSION):
    """An installation folder as a launcher leaves it for the updater: its
    ClientInfo.ini with the client version, and the registry's Location
    naming the folder (the updater starts the launcher from there)."""
    write_client_info(folder, ("ClientInfo", [("Version", version), ("Channel", "234")]),
                      ("Locations", [("count", "0")]))
    ui.reg_write("HKLM", LOCATION_KEY, "Location", wine.winpath(folder) + "\\")


def stays(condition, seconds, what):
    """Asserts that condition() holds all through the next seconds (a thing
    that must not happen meanwhile)."""
    try:
        wait_for(lambda: not condition(), seconds, interval=0.1, what=what)
    except TimeoutError:
        return
    pytest.fail(f"{what} did not hold for {seconds}s")


# ---- the updater's window and processes ----------------------------------------------------

def pids(ui, exe):
    return sorted(pid for pid, name in ui.processes() if name == exe)


def updater_window(ui, visible=True, exclude=()):
    """The first updater window (hidden ones too when visible is False), or None."""
    return ui.find_window(title=UPDATER_TITLE, cls="#32770", visible=visible, exclude=exclude)


def wait_updater_window(ui, timeout=60, visible=True):
    return wait_for(lambda: updater_window(ui, visible), timeout, what="the updater's window")


def progress_percent(display, ui, window):
    """How far the progress blocks reach, in percent of the bar, read from the
    screen along the bar's middle row; None once the window is gone. Each
    block has a one-pixel outline in the empty colour, so the filled width
    ends two pixels after the last pixel of the fill colour."""
    frame, bar = ui.window(window.hwnd), ui.control(window.hwnd, PROGRESS_BAR)
    if not (frame.exists and bar.exists) or bar.rect[2] <= 0:
        return None
    width = bar.rect[2]
    row = display.pixels(frame.rect[0] + bar.rect[0], frame.rect[1] + bar.rect[1] + bar.rect[3] // 2, width, 1)
    if not ui.window(window.hwnd).exists:
        return None   # the screen may already show what lay behind it
    filled = [x for x in range(width) if tuple(row[3 * x:3 * x + 3]) == PROGRESS_FILL]
    return min(100, (filled[-1] + 2) * 100 // width) if filled else 0


def socket_downloads(service):
    """Every delivery so far to the updater's own socket client."""
    return [d for d in service.deliveries("A") if d.request.header("User-Agent") == SOCKET_CLIENT_AGENT]


def socket_download(service, condition=lambda d: d.finished, timeout=60):
    """The download service's delivery to the updater's own socket client (not
    the system HTTP stack's request that resolved the final address)."""
    return service.wait_delivery(
        "A", lambda d: d.request.header("User-Agent") == SOCKET_CLIENT_AGENT and condition(d), timeout=timeout)


# ---- fixtures ------------------------------------------------------------------------------

@pytest.fixture
def road_processes(ui, programs):
    """Ends, after the test, every updater, launcher and self-update program
    that started during it (by process ID), including the ones that other
    programs started, and waits for their updater windows to go; set up
    after `programs`, so this runs first."""
    watched = (UPDATER_EXE, LAUNCHER_EXE, SELF_UPDATE_EXE)
    before = {pid for pid, name in ui.processes() if name in watched}
    yield
    for pid, name in ui.processes():
        if name in watched and pid not in before:
            ui.terminate(pid)
    # The next test's updater window must not be one of this test's on its way out.
    try:
        wait_for(lambda: updater_window(ui, visible=False) is None, 15, what="this test's updater windows to go")
    except TimeoutError as error:
        print(f"road_processes: {error}")


@pytest.fixture
def run_updater(programs, road_processes, install_dir):
    """Starts VantorUpdate.exe of a folder (default: the test's installation)
    with one argument, as the launcher does: "<url>|<force>"."""
    def start(argument, folder=None):
        folder = Path(folder or install_dir)
        return programs(folder / UPDATER_EXE, argument, cwd=folder)
    return start
