"""The launcher's update check against the update-info service on hosts A
and B: what the player sees for each kind of answer, the updater's exact
command line (read back from a recording program in place of
VantorUpdate.exe), and the request the hosts receive."""
import threading

import pytest

from launcher_panels import (CHECK_FAILED, DEFAULT_VERSION, LOGIN_BUTTON, PROGRAM_NAME, SERVER_LIST, SKEIN_BUTTON,
                             STATUS_LINE, assert_login_panel, assert_still_checking, updater_command_line,
                             visible, wait_for_login_panel, write_client_info)
from vantor_bench.display import differing_area
from vantor_bench.uidriver import wait_for

UPDATER = "VantorUpdate.exe"
NEWER = "2006.02.01"
PACKAGE = "http://127.10.4.1/packages/update-2006.02.01.vpk"
SLOW = 60          # seconds a slow host keeps its answer back
BEFORE_SLOW = 30   # time limit of waits that must end before a slow host answers


@pytest.fixture
def newer_client(update_service):
    """The service offers a newer client than the installed default version."""
    update_service.set_offer(latest_version=NEWER, package_url=PACKAGE)
    return update_service


def both(service, **behaviour):
    for host in ("A", "B"):
        service.configure(host, **behaviour)


def environment_started(recorders):
    """Waits until the launcher's three environment starts are recorded: they
    come before the update check, so a missing updater start is not just late."""
    recorders.wait_starts(3, programs=("regsvr32.exe", "certs/Trustfit.exe"))


# ---- the check fails ---------------------------------------------------------------------

NO_PKPROTOCOL = b'<?xml version="1.0"?>\r\n<answer><updateInfo><Url>http://x/p</Url></updateInfo></answer>\r\n'
NO_UPDATE_INFO = b"<pkprotocol><info><Url>http://x/p</Url></info></pkprotocol>"


@pytest.mark.parametrize("a, b", [
    (dict(down=True), dict(down=True)),
    (dict(reply="broken-xml"), dict(status=500, reply="error-page")),
    (dict(down=True), dict(reply="raw", body=NO_PKPROTOCOL)),
    (dict(reply="raw", body=NO_UPDATE_INFO), dict(status=404, reply="error-page")),
], ids=["both down", "broken XML and HTTP 500", "down and no pkprotocol", "no updateInfo and HTTP 404"])
def test_check_failing_on_both_hosts_shows_one_message_and_ends(launcher, ui, newer_client, recorders, a, b):
    newer_client.configure("A", **a)
    newer_client.configure("B", **b)
    program, window = launcher()

    box = ui.wait_message_box(timeout=60)
    assert (box.caption, box.text, box.buttons) == (PROGRAM_NAME, CHECK_FAILED, [1])
    assert not visible(ui, window, LOGIN_BUTTON), "nothing else is shown"
    ui.press(box)
    assert program.wait_exit(timeout=30) == 0, "one message, then the launcher ends"
    assert recorders.lines(UPDATER) == []


def test_empty_version_fails_the_check_without_asking_a_host(launcher, ui, install_dir, newer_client, recorders):
    write_client_info(install_dir, ("ClientInfo", [("Version", "")]), ("Locations", [("count", "0")]))
    program, _ = launcher()

    box = ui.wait_message_box(timeout=60)
    assert (box.caption, box.text) == (PROGRAM_NAME, CHECK_FAILED)
    assert newer_client.requests() == [], "the workers end before they send anything"
    ui.press(box)
    assert program.wait_exit(timeout=30) == 0


# ---- an update is named ------------------------------------------------------------------

@pytest.mark.parametrize("down, answering", [("A", "B"), ("B", "A")])
def test_one_host_down_and_the_other_naming_an_update_starts_the_updater(
        launcher, ui, wine, install_dir, newer_client, recorders, down, answering):
    own_package = f"http://127.10.4.1/from-host-{answering}/update.vpk"
    newer_client.configure(down, down=True)
    newer_client.configure(answering, package_url=own_package)
    program, window = launcher()

    wait_for_login_panel(ui, window)
    assert recorders.wait_lines(UPDATER, 1) == [updater_command_line(wine, install_dir, own_package + "|0")]
    assert_login_panel(ui, window)
    assert program.running(), "an update that is not forced leaves the launcher running"


@pytest.mark.parametrize("force", [None, ""], ids=["no force element", "empty force"])
def test_update_without_force_flag_is_passed_on_with_zero(launcher, ui, wine, install_dir, newer_client,
                                                          recorders, force):
    newer_client.set_offer(force=force)
    program, window = launcher()

    wait_for_login_panel(ui, window)
    assert recorders.wait_lines(UPDATER, 1) == [updater_command_line(wine, install_dir, PACKAGE + "|0")]
    assert program.running()


@pytest.mark.parametrize("force", ["1", "2"])
def test_forced_update_ends_the_launcher_after_starting_the_updater(launcher, wine, install_dir, newer_client,
                                                                    recorders, force):
    newer_client.set_offer(force=force)
    program, _ = launcher(wait=False)   # it may end before its window is ever seen

    assert program.wait_exit(timeout=60) == 0
    assert recorders.wait_lines(UPDATER, 1) == [updater_command_line(wine, install_dir, f"{PACKAGE}|{force}")]


@pytest.mark.parametrize("url, force, forced", [
    ("http://127.10.4.1/get.aspx?file=a|2", "0", False),
    ("http://127.10.4.1/get.aspx?file=a|0", "1", True),
], ids=["bar then 2, not forced", "bar then 0, forced"])
def test_address_with_a_vertical_bar_takes_the_force_flag_after_the_last_bar(
        launcher, ui, wine, install_dir, newer_client, recorders, url, force, forced):
    newer_client.set_offer(package_url=url, force=force)
    program, _ = launcher(wait=False)

    assert recorders.wait_lines(UPDATER, 1, timeout=60) == [
        updater_command_line(wine, install_dir, f"{url}|{force}")]
    if forced:
        assert program.wait_exit(timeout=30) == 0
    else:
        wait_for_login_panel(ui, program.wait_window(timeout=30))
        assert program.running()


# ---- no update ---------------------------------------------------------------------------

@pytest.mark.parametrize("a, b", [
    (dict(reply="no-url"), dict(reply="no-url")),
    (dict(reply="empty-url"), dict(reply="empty-url")),
    (dict(down=True), dict(reply="no-url")),
    (dict(latest_version=DEFAULT_VERSION), dict(latest_version=DEFAULT_VERSION)),
], ids=["no Url", "empty Url", "down and no Url", "client is the latest"])
def test_reply_without_url_shows_the_login_panel(launcher, ui, newer_client, recorders, a, b):
    newer_client.configure("A", **a)
    newer_client.configure("B", **b)
    program, window = launcher()

    wait_for_login_panel(ui, window)
    assert_login_panel(ui, window)
    environment_started(recorders)
    assert recorders.lines(UPDATER) == []
    assert ui.message_box() is None
    assert program.running()


# ---- the request -------------------------------------------------------------------------

def test_request_carries_the_version_unescaped(launcher, ui, install_dir, update_service, recorders):
    version = "2006.01.15%41&x=+y"
    write_client_info(install_dir, ("ClientInfo", [("Version", version)]), ("Locations", [("count", "0")]))
    launcher()

    for host in ("A", "B"):
        request, = update_service.wait_requests(host, 1, timeout=60)
        assert request.method == "GET"
        assert request.target == "/LoginPacketN/WebForm1.aspx?ver=" + version, host
        assert request.header("Host") == f"{update_service.host(host).address}:8080"
        assert request.header("User-Agent") == PROGRAM_NAME


# ---- a slow host -------------------------------------------------------------------------

@pytest.mark.parametrize("slow", ["A", "B"])
@pytest.mark.parametrize("fast_reply", ["no update", "update"])
def test_slow_host_does_not_delay_the_answer_of_the_other(launcher, ui, wine, install_dir, newer_client,
                                                          recorders, slow, fast_reply):
    fast = "B" if slow == "A" else "A"
    newer_client.configure(slow, delay=SLOW, package_url="http://127.10.4.1/from-the-slow-host.vpk")
    if fast_reply == "no update":
        newer_client.configure(fast, reply="no-url")
    program, window = launcher()

    newer_client.wait_requests(slow, 1, timeout=BEFORE_SLOW)
    wait_for_login_panel(ui, window, timeout=BEFORE_SLOW)   # well before the slow host answers
    assert_login_panel(ui, window)
    if fast_reply == "update":
        assert recorders.wait_lines(UPDATER, 1) == [updater_command_line(wine, install_dir, PACKAGE + "|0")]
    else:
        environment_started(recorders)
        assert recorders.lines(UPDATER) == []


def test_failure_of_one_host_waits_for_the_answer_of_the_other(launcher, ui, wine, install_dir, newer_client,
                                                               recorders):
    newer_client.configure("A", down=True)
    newer_client.configure("B", delay=3)
    program, window = launcher()

    wait_for_login_panel(ui, window, timeout=60)
    assert recorders.wait_lines(UPDATER, 1) == [updater_command_line(wine, install_dir, PACKAGE + "|0")]
    assert ui.message_box() is None


def answered(ask, timeout):
    """ask()'s result, or a failure when the window does not answer in time
    (a blocked user-interface thread keeps the driver's request waiting)."""
    result = {}

    def run():
        try:
            result["value"] = ask()
        except BaseException as error:  # handed to the test's thread
            result["error"] = error

    worker = threading.Thread(target=run, daemon=True)
    worker.start()
    worker.join(timeout)
    if worker.is_alive():
        pytest.fail(f"the launcher's window did not answer within {timeout}s while the check ran")
    if "error" in result:
        raise result["error"]
    return result.get("value")


def test_window_stays_responsive_and_login_controls_hidden_while_checking(launcher, ui, newer_client, recorders):
    both(newer_client, delay=SLOW)
    program, window = launcher()
    for host in ("A", "B"):
        newer_client.wait_requests(host, 1, timeout=BEFORE_SLOW)   # both workers now wait for their answers

    assert answered(lambda: ui.window(window.hwnd).text, timeout=10) == window.text
    answered(lambda: assert_still_checking(ui, window), timeout=10)
    assert answered(lambda: ui.items(window.hwnd, SERVER_LIST)["count"], timeout=10) == 3
    assert answered(lambda: ui.control(window.hwnd, STATUS_LINE).visible, timeout=10)
    assert not answered(lambda: visible(ui, window, SKEIN_BUTTON), timeout=10)
    assert program.running()


def test_window_can_be_dragged_by_its_background_and_repaints_while_checking(launcher, ui, display, newer_client,
                                                                             recorders, artifacts):
    both(newer_client, delay=SLOW)
    program, window = launcher()
    for host in ("A", "B"):
        newer_client.wait_requests(host, 1, timeout=BEFORE_SLOW)
    x, y, width, height = ui.window(window.hwnd).rect
    # The requests can go out before the window has finished its first painting
    # (the slower the machine, the likelier): the picture to compare is the settled one.
    before = display.steady_pixels(x, y, width, height)

    # The player grabs the background art (no caption bar) near the top left corner.
    display.drag((x + 20, y + 20), (x + 20 - 150, y + 20 - 120))

    moved = wait_for(lambda: (r := ui.window(window.hwnd).rect)[:2] != (x, y) and r, 10,
                     what="the window to move")
    assert moved == (x - 150, y - 120, width, height)
    assert_still_checking(ui, window)
    # Painted again in full at its new place: the same picture as before the move.
    try:
        wait_for(lambda: display.pixels(*moved) == before, 30, what="the window to repaint at its new place")
    except TimeoutError:
        after = display.pixels(*moved)
        display.save_rgb(artifacts / "before-move.png", before, width, height)
        display.save_rgb(artifacts / "after-move.png", after, width, height)
        raise AssertionError(f"after the move {differing_area(before, after, width)} differ "
                             f"(both pictures in {artifacts})") from None
    assert program.running()


# ---- a command line too long for the launcher's buffer -----------------------------------

@pytest.mark.parametrize("length, started", [(511, True), (512, False)],
                         ids=["511 bytes and its zero fit", "512 bytes do not"])
def test_updater_command_line_must_fit_in_512_bytes(launcher, ui, wine, install_dir, newer_client, recorders,
                                                    length, started):
    """A line that does not fit is not passed on cut short: the updater is not
    started, and an update that is not forced leaves the player the login panel."""
    shortest = updater_command_line(wine, install_dir, "http://127.10.4.1/p/.vpk|0")
    url = "http://127.10.4.1/p/" + "a" * (length - len(shortest)) + ".vpk"
    line = updater_command_line(wine, install_dir, url + "|0")
    assert len(line) == length
    newer_client.set_offer(package_url=url)
    program, window = launcher()

    wait_for_login_panel(ui, window)
    if started:
        assert recorders.wait_lines(UPDATER, 1) == [line]
    else:
        environment_started(recorders)
        assert recorders.lines(UPDATER) == []
    assert program.running()
