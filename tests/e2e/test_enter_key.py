"""Enter and the update check: until the check has reported, Enter neither
confirms a server nor logs in (the login button is hidden then, yet it is the
default button), so no login can come before a forced update. Once it has
reported, the player's real keys reach the launcher, also while an unseen
updater starts beside it. On the Skein panel, where no button is the default
one, Enter does not end the launcher."""
import shutil
import time

import pytest

from launcher_panels import (CREDENTIAL_CONTROLS, PASSWORD_EDIT, USER_NAME_EDIT, assert_still_checking,
                             updater_command_line, visible, wait_for_login_panel)
from login_fixtures import DEMO_PASSWORD, DEMO_USER
from test_statistics import client_info
from vantor_bench.silent_hosts import SilentHosts
from vantor_bench.uidriver import wait_for

UPDATER = "VantorUpdate.exe"
PACKAGE = "http://127.10.4.1/packages/update-2006.02.01.vpk"
VK_RETURN = 0x0D
SLOW = 8      # seconds both update-info hosts keep their answer back
SKEIN_BUTTON, SKEIN_VIEW = 1022, 1020


def press_enter_and_type(ui, window, typed):
    ui.key(window.hwnd, VK_RETURN)      # would confirm the last server
    if typed:
        ui.type_text(window.hwnd, USER_NAME_EDIT, DEMO_USER)
        ui.type_text(window.hwnd, PASSWORD_EDIT, DEMO_PASSWORD)
    ui.key(window.hwnd, VK_RETURN)      # would post the credentials


@pytest.mark.parametrize("typed", [False, True], ids=["Enter twice", "Enter, credentials typed, Enter"])
def test_enter_during_a_slow_check_logs_nobody_in_and_the_forced_update_starts(
        launcher, ui, wine, install_dir, deployment, update_service, login_service, recorders, typed):
    client_info(install_dir, deployment, ("LastSelServer", "1"))   # a server to confirm is selected
    update_service.set_offer(latest_version="2006.02.01", package_url=PACKAGE, force="1")
    for host in ("A", "B"):
        update_service.configure(host, delay=SLOW)
    program, window = launcher()

    press_enter_and_type(ui, window, typed)
    assert_still_checking(ui, window)
    for control_id in CREDENTIAL_CONTROLS:
        assert not visible(ui, window, control_id), "Enter confirmed no server"

    assert program.wait_exit(timeout=SLOW + 60) == 0, "the forced update ends the launcher"
    assert recorders.wait_lines(UPDATER, 1) == [updater_command_line(wine, install_dir, PACKAGE + "|1")]
    assert [login_service.requests(host) for host in ("1", "2", "3")] == [[], [], []]


@pytest.fixture
def silent_download_host(deployment):
    """The download host accepts and never answers: an unseen updater stays
    running, hidden, for the whole test."""
    hosts = SilentHosts([deployment["download_host"]], 80)
    yield hosts
    hosts.close()


@pytest.mark.parametrize("offer", ["no update", "an unforced update"])
def test_a_real_enter_after_the_check_reaches_the_launcher(
        launcher, ui, display, build_dir, install_dir, deployment, update_service, recorders,
        silent_download_host, offer):
    shutil.copyfile(build_dir / "image" / "VantorUpdate.exe", install_dir / UPDATER)   # the real one, unseen
    client_info(install_dir, deployment, ("LastSelServer", "1"))
    if offer == "an unforced update":
        update_service.set_offer(latest_version="2006.02.01", force="0",
                                 package_url=f"http://{deployment['download_host']}/packages/update.vpk")
    program, window = launcher()
    wait_for_login_panel(ui, window)
    if offer == "an unforced update":
        wait_for(lambda: silent_download_host.connections, 30, what="the updater's download to begin")

    # With no window manager, the display gives the keyboard to the window under
    # the pointer; a player's pointer rests on the launcher (another test may
    # have left it elsewhere). No click: the launcher must have kept the focus.
    left, top, width, height = ui.window(window.hwnd).rect
    display.point(left + width // 2, top + height - 10)
    display.key("Return")   # a real key: it goes where the keyboard focus is
    wait_for(lambda: all(visible(ui, window, c) for c in CREDENTIAL_CONTROLS), 10,
             what="Enter to confirm the last server")
    assert ui.foreground() == window.hwnd


def test_enter_on_the_skein_panel_leaves_the_launcher_running(launcher, ui, update_service, recorders):
    program, window = launcher()
    wait_for_login_panel(ui, window)
    ui.click(window.hwnd, SKEIN_BUTTON)
    wait_for(lambda: visible(ui, window, SKEIN_VIEW), 30, what="the Skein panel")

    ui.key(window.hwnd, VK_RETURN)
    ui.key(window.hwnd, VK_RETURN)
    time.sleep(2)   # an Enter that ended the dialog would have done so by now
    assert program.running()
    assert ui.window(window.hwnd).exists
