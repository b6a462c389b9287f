"""A launcher started with another current folder (from a shortcut without a
start folder, or by a program that passes on its own) behaves as one started
in its installation: it deletes the installation's self-update copy, shows
the installation's version, reports the first login into the installation's
ClientInfo.ini, and leaves the current folder exactly as it found it."""
import pytest

from launcher_panels import VERSION_LABEL, visible, wait_for_login_panel
from login_fixtures import DEMO_PASSWORD, DEMO_USER, USER_NAME_EDIT, game_command_line, log_in
from test_statistics import client_info, client_info_value
from vantor_bench.uidriver import wait_for

SERVER_LIST = 1029
ENGINE_INI = b"[Launcher]\r\nLauncherVersion=3.1.4\r\n"


def folder_contents(folder, install):
    """Every file and folder below folder, with its bytes; the installation left out."""
    return sorted((str(p.relative_to(folder)), p.is_file() and p.read_bytes()) for p in folder.rglob("*")
                  if p != install and install not in p.parents)


def self_update_copy(folder):
    copy = folder / "Update" / "autoupdate.exe"
    copy.parent.mkdir(exist_ok=True)
    copy.write_bytes(b"MZ self-update copy")
    copy.chmod(0o444)   # read-only, as Wine shows it
    return copy


@pytest.mark.parametrize("where", ["another folder", "the folder above the installation"])
def test_started_from_another_folder_uses_only_the_installations_files(
        launcher, ui, tmp_path, login_install, deployment, update_service, login_service, stat_service, where):
    install = login_install
    current = tmp_path / "Desktop" if where == "another folder" else install.parent
    current.mkdir(exist_ok=True)
    client_info(install, deployment)
    (install / "TesseraEngine.ini").write_bytes(ENGINE_INI)
    installed_copy = self_update_copy(install)
    # What the current folder holds beside the installation: its own copy
    # and settings, which a launcher reading ".\" would take or change.
    own_copy = self_update_copy(current)
    (current / "ClientInfo.ini").write_bytes(b"[ClientInfo]\r\nIsSend=1\r\nVersion=1999.01.01\r\n")
    before = folder_contents(current, install)

    program, window = launcher(cwd=current)
    wait_for_login_panel(ui, window)
    assert ui.control(window.hwnd, VERSION_LABEL).text == "版本号：3.1.4"
    assert not installed_copy.exists(), "the installation's self-update copy is deleted"
    assert own_copy.exists(), "the current folder's is not the launcher's"

    ui.double_click_item(window.hwnd, SERVER_LIST, 0)
    wait_for(lambda: visible(ui, window, USER_NAME_EDIT), 30, what="the credential fields")
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)
    assert program.wait_exit(timeout=60) == 0
    assert game_command_line(install)

    [request] = stat_service.requests("A")
    assert b"version=2006.01.15" in request.body, "the report reads the installation's settings"
    assert client_info_value(install, "IsSend") == "1"
    assert (current / "ClientInfo.ini").read_bytes() == b"[ClientInfo]\r\nIsSend=1\r\nVersion=1999.01.01\r\n"
    assert folder_contents(current, install) == before, "no stray file in the current folder"
