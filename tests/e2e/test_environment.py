"""Environment preparation at every launcher start: the two component
registrations and the certificate installer, read back from recording
programs in place of the system folder's regsvr32.exe and of
certs\\Trustfit.exe. The launcher runs as administrator, so it starts and
loads only what it names by full path: programs and libraries planted where
a search or an unquoted path would find them first stay untouched."""
import shutil
from contextlib import contextmanager, nullcontext

import pytest

from launcher_panels import launcher_folder, wait_for_login_panel

PREPARATION = ("regsvr32.exe", "certs/Trustfit.exe")
SYSTEM_REGSVR32 = b'"C:\\windows\\system32\\regsvr32.exe" /s "'
VK_ESCAPE = 0x1B


def expected_command_lines(wine, folder_path):
    folder = launcher_folder(wine, folder_path)
    return [
        SYSTEM_REGSVR32 + folder + b'PlaymoorEncrypt.dll"',
        SYSTEM_REGSVR32 + folder + b'PlaymoorPlugin.dll"',
        b'"' + folder + b'certs\\Trustfit.exe"',
    ]


def test_three_hidden_starts_with_exact_command_lines_in_order(launcher, wine, install_dir, update_service,
                                                               recorders):
    assert " " in install_dir.name, "the folder has a blank in its name"
    launcher()
    starts = recorders.wait_starts(3, programs=PREPARATION)
    assert [s.command_line for s in starts] == expected_command_lines(wine, install_dir)
    assert [s.program for s in starts] == ["regsvr32.exe", "regsvr32.exe", "certs/Trustfit.exe"]


def plant_program(build_dir, path):
    shutil.copyfile(build_dir / "counterparts" / "recorder.exe", path)
    return [path.with_name(path.name + ".cmdline.log")]


def plant_library(build_dir, path):
    shutil.copyfile(build_dir / "counterparts" / "loadrecorder.dll", path)
    return [path.with_name(path.name + ".loaded.log")]


@contextmanager
def native_first(wine, library):
    """Wine takes its built-in library before a file beside the program unless
    told otherwise; Windows takes the file. Told so, a load by bare name finds
    the planted file first, as on Windows."""
    overrides = r"HKCU\Software\Wine\DllOverrides"
    wine.reg_add(overrides, library, "native,builtin")
    try:
        yield
    finally:
        wine.run(["reg", "delete", overrides, "/v", library, "/f"])


# Where each planted file would be taken before the system's or the
# installation's own: "...\Vantor Online\certs\Trustfit.exe" unquoted is first
# tried as "...\Vantor.exe"; a bare "regsvr32.exe" or "atl.dll" is looked for
# in the program's folder first.
PLANTED = {
    "Vantor.exe beside the installation folder": (plant_program, lambda install: install.parent / "Vantor.exe"),
    "regsvr32.exe beside the launcher": (plant_program, lambda install: install / "regsvr32.exe"),
    "atl.dll beside the launcher": (plant_library, lambda install: install / "atl.dll"),
}


@pytest.mark.parametrize("planted", list(PLANTED))
def test_programs_and_libraries_planted_on_the_search_path_are_never_taken(
        launcher, ui, wine, build_dir, install_dir, update_service, recorders, planted):
    plant, where = PLANTED[planted]
    assert " " in install_dir.name, "the folder's blank is where an unquoted path breaks"
    traces = plant(build_dir, where(install_dir))

    with native_first(wine, "atl") if plant is plant_library else nullcontext():
        _, window = launcher()
        starts = recorders.wait_starts(3, programs=PREPARATION)
        wait_for_login_panel(ui, window)   # the web views are up by now: atl.dll is loaded
    assert [s.command_line for s in starts] == expected_command_lines(wine, install_dir)
    assert [trace for trace in traces if trace.exists()] == []


def test_starts_are_not_awaited(launcher, ui, install_dir, update_service, recorders):
    for program in PREPARATION:
        recorders.hold(program)   # they keep running until released

    _, window = launcher()
    wait_for_login_panel(ui, window)
    assert len(recorders.starts(*PREPARATION)) == 3


def test_every_start_registers_again(launcher, ui, wine, install_dir, update_service, recorders):
    program, window = launcher()
    recorders.wait_starts(3, programs=PREPARATION)
    ui.key(window.hwnd, VK_ESCAPE)
    assert program.wait_exit(timeout=30) == 0

    launcher()
    starts = recorders.wait_starts(6, programs=PREPARATION)
    assert [s.command_line for s in starts] == expected_command_lines(wine, install_dir) * 2


def test_missing_installer_and_components_leave_the_launcher_running(launcher, ui, install_dir,
                                                                     update_service, recorders):
    (install_dir / "certs" / "Trustfit.exe").unlink()
    for component in ("PlaymoorEncrypt.dll", "PlaymoorPlugin.dll"):
        (install_dir / component).unlink(missing_ok=True)
    recorders.put_back()   # the system's tool runs, and finds no component files
    program, window = launcher()
    wait_for_login_panel(ui, window)
    assert ui.message_box() is None
    assert program.running()
