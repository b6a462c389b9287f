"""The side buttons that open the operator's pages in the player's browser.

Wine hands an http address that a program opens with the shell to
winebrowser, which runs the first program named in the registry value
"Browsers" of HKCU\\Software\\Wine\\WineBrowser with the address as its only
argument. A small recording script takes that place for these tests.

winebrowser passes the address on in its canonical form: the home page,
which the launcher opens as "http://" + game site with no path, reaches the
browser with the root path "/" (the same page to any HTTP client)."""
import os
import urllib.request

import pytest

from vantor_bench.uidriver import wait_for

# The update check stays open, so the window keeps its start-up state with the side buttons.
pytestmark = pytest.mark.usefixtures("silent_update_hosts")

WINE_BROWSER_KEY = r"Software\Wine\WineBrowser"
FORUM_BUTTON, HOME_BUTTON, REGISTRATION_BUTTON = 1009, 1011, 1010

RECORDING_BROWSER = """#!/bin/sh
# Stands in for the player's browser: one line per start, its arguments joined by tabs.
IFS='\t'
printf '%s\\n' "$*" >> '{log}'
"""


class RecordingBrowser:
    """A shell script in place of the player's browser; opened() gives the
    argument lines of its starts so far, oldest first."""

    def __init__(self, folder):
        self.log = folder / "browser-starts.log"
        self.script = folder / "recording-browser.sh"
        self.script.write_text(RECORDING_BROWSER.format(log=self.log))
        os.chmod(self.script, 0o755)

    def opened(self):
        return self.log.read_text(encoding="utf-8").splitlines() if self.log.exists() else []


@pytest.fixture
def browser(ui, tmp_path):
    """The recording script as the browser of the session's prefix, for this test."""
    folder = tmp_path / "browser"
    folder.mkdir()
    recording = RecordingBrowser(folder)
    # winebrowser splits the value at commas and reads at most 255 characters.
    assert "," not in str(recording.script) and len(str(recording.script)) < 255
    ui.reg_write("HKCU", WINE_BROWSER_KEY, "Browsers", str(recording.script))
    yield recording
    ui.reg_delete("HKCU", WINE_BROWSER_KEY)   # back to Wine's own list


@pytest.mark.parametrize("button,host,path", [
    pytest.param(FORUM_BUTTON, "game_site", "/Vantor_bbs/BBS_index.aspx", id="forum"),
    pytest.param(HOME_BUTTON, "game_site", "/", id="home page"),
    pytest.param(REGISTRATION_BUTTON, "service_portal", "/userreg.aspx", id="registration"),
])
def test_side_button_opens_its_page_in_the_browser(launcher, ui, browser, deployment, web_service,
                                                   button, host, path):
    _, window = launcher()
    ui.click(window.hwnd, button)

    opened = wait_for(browser.opened, 60, what="the browser to be started")
    address = f"http://{deployment[host]}{path}"
    assert opened == [address]
    # The page is there for the browser to show.
    with urllib.request.urlopen(address, timeout=10) as reply:
        assert reply.status == 200
