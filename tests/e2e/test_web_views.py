"""The launcher's web views as the operator's hosts see them.

Wine's WebBrowser control has no HTML engine here: it fetches a page but
neither renders it nor reports the navigation complete, so these tests stop at
what reaches the servers. What the views do with a completed page (the sink's
host flags, the login page closing the launcher) is tested in the Win32 tier
against a scripted browser."""
from launcher_panels import SKEIN_BUTTON, visible, wait_for_login_panel
from vantor_bench.uidriver import wait_for

LOGIN_PAGE_VIEW = 1020
SKEIN_LOGIN_HOST = "1"   # the Skein panel's pages come from the first login server
# Wine binds a page on the thread that hosts the control, through its RPC service:
# on a loaded machine the launcher's window can stall for seconds.
PAGE_TIMEOUT = 60


def test_notice_and_banner_pages_come_from_the_game_site(launcher, web_service, update_service, recorders):
    launcher()

    notice = web_service.wait_path("site", "/clienttemp.html", PAGE_TIMEOUT)
    banner = web_service.wait_path("site", "/clienttemp2.html", PAGE_TIMEOUT)
    for request in (notice, banner):
        assert request.method == "GET"
        assert not request.secure and request.port == 80


def test_skein_button_loads_the_login_pages_over_https(launcher, ui, web_service, update_service, login_install):
    _, window = launcher()
    wait_for_login_panel(ui, window)
    assert not web_service.requests(SKEIN_LOGIN_HOST), "nothing asks the login host for pages before the click"

    ui.click(window.hwnd, SKEIN_BUTTON)

    # The window answers only once the navigations are under way (see PAGE_TIMEOUT).
    web_service.wait_path(SKEIN_LOGIN_HOST, "/SkeinIPConfirm.html", PAGE_TIMEOUT)
    wait_for(lambda: visible(ui, window, LOGIN_PAGE_VIEW), PAGE_TIMEOUT, what="the login page view")
    pages = [r for r in web_service.requests(SKEIN_LOGIN_HOST)
             if r.path in ("/loginclienttemp.htm", "/SkeinIPConfirm.html")]
    # The second navigation follows the first at once and, as in any browser,
    # supersedes it: the first page may or may not have been asked for by
    # then, and Wine fetches them over two connections, so in either order.
    # The order in which the dialog navigates is tested in the Win32 tier.
    assert "/SkeinIPConfirm.html" in [r.path for r in pages]
    for request in pages:
        assert request.method == "GET"
        assert request.secure and request.port == 443
