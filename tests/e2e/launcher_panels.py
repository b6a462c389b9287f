"""What the tests of the launcher's update check, server list and environment
share: the client configuration they write and the panels they wait for."""
from vantor_bench.uidriver import wait_for

STATUS_LINE, LOGIN_BUTTON, SERVER_LIST, SKEIN_BUTTON = 1028, 1027, 1029, 1022
VERSION_LABEL = 1021
USER_NAME_EDIT, PASSWORD_EDIT, USER_NAME_LABEL, PASSWORD_LABEL = 1023, 1024, 1026, 1025
CREDENTIAL_CONTROLS = (USER_NAME_EDIT, PASSWORD_EDIT, USER_NAME_LABEL, PASSWORD_LABEL)

CHECK_FAILED = "检测升级出错，请检测你的网络是否正常"
CHECKING_TEXT = "正在获取升级信息......"
PROGRAM_NAME = "VantorLogin"
DEFAULT_VERSION = "2006.01.15"


def write_client_info(install_dir, *sections):
    """Writes ClientInfo.ini (GBK, CR LF) from (section name, [(key, value), ...]) pairs."""
    lines = []
    for name, keys in sections:
        lines.append(f"[{name}]")
        lines += [f"{key}={value}" for key, value in keys]
    path = install_dir / "ClientInfo.ini"
    path.write_bytes(("\r\n".join(lines) + "\r\n").encode("gbk"))
    return path


def visible(ui, window, control_id):
    return ui.control(window.hwnd, control_id).visible


def wait_for_login_panel(ui, window, timeout=30):
    """Waits until the update check has let the player choose a server."""
    wait_for(lambda: visible(ui, window, LOGIN_BUTTON), timeout, what="the login panel")


def assert_login_panel(ui, window):
    assert not visible(ui, window, STATUS_LINE), "the status line goes when the check has answered"
    for control_id in (LOGIN_BUTTON, SERVER_LIST, SKEIN_BUTTON):
        assert visible(ui, window, control_id), control_id


def assert_still_checking(ui, window):
    status = ui.control(window.hwnd, STATUS_LINE)
    assert status.visible and status.text == CHECKING_TEXT
    for control_id in (LOGIN_BUTTON, SERVER_LIST, SKEIN_BUTTON):
        assert not visible(ui, window, control_id), control_id


def updater_command_line(wine, install_dir, argument):
    """The updater's command line as the launcher builds it: its quoted path in
    the launcher's folder, one blank, the argument unquoted."""
    return b'"' + (wine.winpath(install_dir) + "\\VantorUpdate.exe").encode("gbk") + b'" ' + argument.encode("gbk")


def launcher_folder(wine, install_dir):
    """The launcher's folder as it names it: Windows path with a trailing backslash (GBK)."""
    return (wine.winpath(install_dir) + "\\").encode("gbk")
