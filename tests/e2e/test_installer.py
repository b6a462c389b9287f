"""The player installer under Wine: a silent installation into Program Files,
the launcher started from there (it records its folder, and an update is
applied there), then a silent uninstallation that closes the running launcher
and removes what the installer put there."""
import os
from pathlib import Path

import pytest

from launcher_panels import wait_for_login_panel
from test_update_road import new_client_files
from update_road import (LAUNCHER_EXE, LOCATION_KEY, NEW_VERSION, PACKAGE, UPDATER_EXE, client_version, digest,
                         make_update_package, pids)
from vantor_bench.programs import LAUNCHER_TITLE
from vantor_bench.uidriver import wait_for

SETUP = "VantorOnlineSetup.exe"
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\VantorOnline"
PROGRAMS_FOLDER = "C:\\Program Files\\Vantor Online"
# What the development installer puts into the folder (the image and its uninstaller).
IMAGE_FILES = ["VantorLogin.exe", "VantorUpdate.exe", "Parcelkit.dll", "certs/Trustfit.exe", "certs/certs.p7b",
               "PlaymoorEncrypt.dll", "PlaymoorPlugin.dll", "v_zipfile.dll", "Vantor.exe"]
SHORTCUTS = ["users/Public/Desktop/Vantor Online.lnk",
             "ProgramData/Microsoft/Windows/Start Menu/Programs/Vantor Online/Vantor Online.lnk",
             "ProgramData/Microsoft/Windows/Start Menu/Programs/Vantor Online/卸载 Vantor Online.lnk"]


def reg_text(ui, path, value):
    data = ui.reg_read("HKLM", path, value)
    return None if data is None else data.rstrip(b"\0").decode("gbk")


def ours_running(ui):
    """Processes of the installation, and the uninstaller's copy of itself in the temporary folder."""
    return sorted(name for _, name in ui.processes()
                  if name in (LAUNCHER_EXE, UPDATER_EXE, "uninstall.exe") or name.lower().startswith(("au_", "un_")))


@pytest.fixture
def installed(wine, ui, programs, build_dir):
    """Runs the installer silently; yields the installation folder; uninstalls
    (silently again) if the test did not."""
    drive_c = Path(wine.prefix) / "drive_c"
    folder = drive_c / "Program Files" / "Vantor Online"
    setup = programs(build_dir / "installer" / SETUP, "/S")
    assert setup.wait_exit(timeout=120) == 0
    yield drive_c, folder
    if (folder / "uninstall.exe").exists():
        programs(folder / "uninstall.exe", "/S").wait_exit(timeout=60)


def test_install_run_update_and_uninstall(installed, wine, ui, programs, build_dir, tmp_path, update_service,
                                          download_service, road_processes):
    drive_c, folder = installed
    for name in IMAGE_FILES:
        assert digest(folder / name) == digest(build_dir / "image" / name), name
    for shortcut in SHORTCUTS:
        assert (drive_c / shortcut).is_file(), shortcut
    assert reg_text(ui, UNINSTALL_KEY, "DisplayName") == "Vantor Online"
    assert reg_text(ui, UNINSTALL_KEY, "Publisher") == "Playmoor"
    assert reg_text(ui, UNINSTALL_KEY, "QuietUninstallString") == f'"{PROGRAMS_FOLDER}\\uninstall.exe" /S'

    # The player starts the launcher from its new folder: it records the folder,
    # hears of a forced update, and the updater installs it there and starts it again.
    package = make_update_package(wine, build_dir, tmp_path / "package", new_client_files(build_dir))
    download_service.add_package(PACKAGE, package.archive)
    update_service.set_offer(latest_version=NEW_VERSION, package_url=download_service.url(PACKAGE), force="1")
    first = programs(folder / LAUNCHER_EXE, cwd=folder)
    assert first.wait_exit(timeout=90) == 0, "a forced update ends the launcher"
    assert reg_text(ui, LOCATION_KEY, "Location") == PROGRAMS_FOLDER + "\\"
    wait_for(lambda: client_version(folder) == NEW_VERSION and not pids(ui, UPDATER_EXE), 90,
             what="the update to be installed")
    for path, data in package.files.items():
        assert (folder / path.replace("\\", "/")).read_bytes() == data, path
    relaunched = ui.wait_window(title=LAUNCHER_TITLE, timeout=60)
    wait_for_login_panel(ui, relaunched, timeout=60)

    # Uninstalled while the launcher runs: it is closed, and nothing is left running.
    # The uninstaller runs on as a copy of itself in the temporary folder; its
    # last step removes the launcher's registry record.
    programs(folder / "uninstall.exe", "/S").wait_exit(timeout=60)
    wait_for(lambda: ui.reg_read("HKLM", LOCATION_KEY, "Location") is None and not ours_running(ui), 60,
             what="the uninstaller to finish and leave nothing running")
    for name in IMAGE_FILES + ["uninstall.exe", "ClientInfo.ini"]:
        assert not (folder / name).exists(), name
    assert not (folder / "Update").exists()
    for shortcut in SHORTCUTS:
        assert not (drive_c / shortcut).exists(), shortcut
    assert ui.reg_read("HKLM", UNINSTALL_KEY, "DisplayName") is None
    # Files that the update brought are not the installer's: they stay, and so does their folder.
    left = sorted(p.relative_to(folder).as_posix() for p in folder.rglob("*") if p.is_file())
    assert left == sorted(path.replace("\\", "/") for path in package.files if path != LAUNCHER_EXE)
