"""Environment preparation at every launcher start: the two component
registrations and the certificate installer, read back from recording
programs in place of regsvr32.exe and certs\\Trustfit.exe."""

from counterpart_fixtures import RECORDED_PROGRAMS, Recorders
from launcher_panels import launcher_folder, wait_for_login_panel
from vantor_bench.programs import InstallFolder

PREPARATION = ("regsvr32.exe", "certs/Trustfit.exe")
VK_ESCAPE = 0x1B


def expected_command_lines(wine, folder_path):
    folder = launcher_folder(wine, folder_path)
    installer = folder + b"certs\\Trustfit.exe"
    if b" " in installer:
        # Wine's process start puts quotes around an unquoted program path with
        # blanks (Windows passes the line on unchanged), so that is what the
        # started program sees; the folder without blanks shows the launcher's own.
        installer = b'"' + installer + b'"'
    return [
        b'regsvr32.exe /s "' + folder + b'PlaymoorEncrypt.dll"',
        b'regsvr32.exe /s "' + folder + b'PlaymoorPlugin.dll"',
        installer,
    ]


def test_three_hidden_starts_with_exact_command_lines_in_order(launcher, wine, install_dir, update_service,
                                                               recorders):
    assert " " in install_dir.name, "the folder has a blank in its name"
    launcher()
    starts = recorders.wait_starts(3, programs=PREPARATION)
    assert [s.command_line for s in starts] == expected_command_lines(wine, install_dir)
    assert [s.program for s in starts] == ["regsvr32.exe", "regsvr32.exe", "certs/Trustfit.exe"]


def test_installer_path_is_not_quoted(launcher, wine, build_dir, tmp_path, update_service):
    folder = InstallFolder(tmp_path / "VantorOnline", build_dir / "image").path
    recorders = Recorders(folder, build_dir / "counterparts" / "recorder.exe")
    recorders.install(*RECORDED_PROGRAMS)
    launcher(folder)
    starts = recorders.wait_starts(3, programs=PREPARATION)
    assert [s.command_line for s in starts] == expected_command_lines(wine, folder)
    assert starts[2].command_line == launcher_folder(wine, folder) + b"certs\\Trustfit.exe"


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
    (install_dir / "regsvr32.exe").unlink()   # the system's tool runs, and finds no component files
    program, window = launcher()
    wait_for_login_panel(ui, window)
    assert ui.message_box() is None
    assert program.running()
