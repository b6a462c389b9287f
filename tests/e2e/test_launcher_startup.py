"""The launcher's start-up: its window, its files and registry value, and the
ways it ends."""
import subprocess

import pytest

from launcher_expectations import (LOGIN_PANEL_CONTROLS, MAIN_DIALOG_CONTROLS, default_client_info,
                                   deployment)
from vantor_bench.programs import LAUNCHER_TITLE
from vantor_bench.uidriver import wait_for

# The update check stays open, so the window keeps its start-up state.
pytestmark = pytest.mark.usefixtures("silent_update_hosts")

PRODUCT_KEY = r"SOFTWARE\Playmoor\VantorOnline"
VK_ESCAPE = 0x1B


def test_main_window_shows_every_control_in_place(launcher, ui, install_dir):
    (install_dir / "TesseraEngine.ini").write_bytes(b"[Launcher]\r\nLauncherVersion=3.1.4\r\n")
    _, window = launcher()

    assert window.text == LAUNCHER_TITLE
    assert window.client[2:] == (600, 400), "the window takes the background bitmap's size"
    for control_id, (text, rect, visible) in MAIN_DIALOG_CONTROLS.items():
        control = ui.control(window.hwnd, control_id)
        assert control.exists, control_id
        assert control.rect == rect, (control_id, control)
        assert control.visible == visible, (control_id, control)
        if text is not None:
            assert control.text == text, control_id
    assert ui.control(window.hwnd, 1021).text == "版本号：3.1.4"
    assert ui.control(window.hwnd, 1008).cls == "AtlAxWin"
    assert ui.default_button(window.hwnd) == 1027


def test_missing_engine_settings_leave_the_bare_version_label(launcher, ui):
    _, window = launcher()
    assert ui.control(window.hwnd, 1021).text == "版本号："


def test_missing_client_info_is_created_with_the_default_content(launcher, install_dir, build_dir):
    target = install_dir / "ClientInfo.ini"
    assert not target.exists()
    launcher()
    assert target.read_bytes() == default_client_info(deployment(build_dir)["login_hosts"])


def test_existing_client_info_is_never_changed(launcher, install_dir):
    own = b"[ClientInfo]\r\nVersion=7.7\r\n"  # no locations, no zero byte: the player's own file
    (install_dir / "ClientInfo.ini").write_bytes(own)
    launcher()
    assert (install_dir / "ClientInfo.ini").read_bytes() == own


def test_install_folder_is_recorded_in_the_registry(launcher, ui, wine, install_dir):
    ui.reg_delete("HKLM", r"SOFTWARE\Playmoor")
    launcher()
    folder = wine.winpath(install_dir) + "\\"
    assert ui.reg_read("HKLM", PRODUCT_KEY, "Location") == folder.encode("gbk") + b"\0"


def test_location_differing_in_letter_case_is_rewritten(launcher, ui, wine, install_dir):
    folder = wine.winpath(install_dir) + "\\"
    ui.reg_write("HKLM", PRODUCT_KEY, "Location", folder.upper())
    launcher()
    assert ui.reg_read("HKLM", PRODUCT_KEY, "Location") == folder.encode("gbk") + b"\0"


def test_location_equal_to_the_folder_is_left_alone(launcher, ui, wine, install_dir):
    folder = wine.winpath(install_dir) + "\\"
    # Stored as REG_EXPAND_SZ: a rewrite would turn it into REG_SZ.
    ui.reg_write("HKLM", PRODUCT_KEY, "Location", folder, reg_type=2)
    launcher()
    raw = ui.command("regread", "HKLM", PRODUCT_KEY.encode("gbk").hex(), b"Location".hex())
    assert raw["type"] == 2


def test_self_update_copy_is_deleted_even_when_read_only(launcher, install_dir, wine):
    copy = install_dir / "Update" / "autoupdate.exe"
    copy.parent.mkdir()
    copy.write_bytes(b"MZ old self-update")
    wine.run(["attrib", "+r", wine.winpath(copy)])
    launcher()
    assert not copy.exists()
    assert (install_dir / "Update").is_dir(), "only the file goes"


def test_edits_take_at_most_12_and_20_characters(launcher, ui):
    _, window = launcher()
    ui.type_text(window.hwnd, 1023, "abcdefghijklmnopqrstuvwxyz")
    ui.type_text(window.hwnd, 1024, "abcdefghijklmnopqrstuvwxyz")
    assert ui.control(window.hwnd, 1023).text == "abcdefghijkl"
    assert ui.control(window.hwnd, 1024).text == "abcdefghijklmnopqrst"


@pytest.mark.parametrize("how", ["exit button", "escape", "WM_CLOSE"])
def test_launcher_ends_at_the_players_request(launcher, ui, how):
    program, window = launcher()
    if how == "exit button":
        ui.click(window.hwnd, 1006)
    elif how == "escape":
        ui.key(window.hwnd, VK_ESCAPE)
    else:
        ui.post_close(window.hwnd)
    assert program.wait_exit(timeout=30) == 0
    assert not ui.window(window.hwnd).exists


def test_skein_button_switches_to_the_login_page_view(launcher, ui):
    _, window = launcher()
    ui.command_click(window.hwnd, 1022)
    # Wine binds the web views' pages on the window's thread and may first start its
    # RPC service there, so the click can wait well over ten seconds to be handled.
    wait_for(lambda: ui.control(window.hwnd, 1020).visible, 60, what="the login page view")
    ui_view = ui.control(window.hwnd, 1020)
    for control_id in LOGIN_PANEL_CONTROLS:
        assert not ui.control(window.hwnd, control_id).visible, control_id
    assert ui.default_button(window.hwnd) == 0
    assert ui_view.rect == (390, 149, 180, 150)


@pytest.fixture
def unwritable(install_dir):
    subprocess.run(["chattr", "+i", str(install_dir)], check=True)
    yield install_dir
    subprocess.run(["chattr", "-i", str(install_dir)], check=True)


def test_folder_without_write_access_reports_and_ends(launcher, ui, unwritable):
    program, _ = launcher(unwritable, wait=False)
    box = ui.wait_message_box(timeout=60)
    assert box.caption == "VantorLogin"
    assert "无法创建客户端配置文件" in box.text and "ClientInfo.ini" in box.text
    assert box.buttons == [1]
    assert ui.find_window(title=LAUNCHER_TITLE) is None, "no half-initialised window is shown"
    ui.press(box)
    assert program.wait_exit(timeout=30) == 0
    assert not (unwritable / "ClientInfo.ini").exists()
