"""The server list: built-in and configured locations, the last chosen
server selected at start, and confirming a server."""
import re

import pytest

from launcher_panels import (CREDENTIAL_CONTROLS, DEFAULT_VERSION, PROGRAM_NAME, SERVER_LIST, visible,
                             wait_for_login_panel, write_client_info)
from vantor_bench.uidriver import wait_for

BUILT_IN = ["华南电信-苏斯星域", "华北网通-诺斯星域", "西部电信-威斯星域"]
DEFAULT_FILE = ["华南大区", "华北网通", "西部电信"]
ITEM_HEIGHT = 20


def client_info(*keys):
    return ("ClientInfo", [("Version", DEFAULT_VERSION), *keys])


def location(n, id_="1", name=None, host="127.10.0.1", port="443", func="Login.aspx"):
    keys = [("ID", id_), ("Name", name or f"第{n}区"), ("Host", host), ("Port", port), ("Func", func)]
    return (f"location{n}", [(k, v) for k, v in keys if v is not None])


def last_sel_server(install_dir):
    """LastSelServer of section ClientInfo as the file holds it, or None."""
    text = (install_dir / "ClientInfo.ini").read_bytes().decode("gbk").replace("\0", "")
    section = None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("["):
            section = line.strip("[]").strip()
        elif section == "ClientInfo" and re.match(r"LastSelServer\s*=", line):
            return line.split("=", 1)[1].strip()
    return None


@pytest.fixture
def open_list(launcher, ui, update_service, recorders):
    """Starts the launcher (no update named) and returns (window, list state) once the list shows."""
    def start():
        _, window = launcher()
        wait_for_login_panel(ui, window)
        return window, ui.items(window.hwnd, SERVER_LIST)
    return start


@pytest.mark.parametrize("locations", [[("Locations", [("count", "0")])], []], ids=["count 0", "count missing"])
def test_three_built_in_locations_without_configured_ones(open_list, install_dir, locations):
    write_client_info(install_dir, client_info(), *locations)
    _, items = open_list()
    assert items["items"] == BUILT_IN
    assert items["height"] == ITEM_HEIGHT
    assert items["selection"] == -1, "no LastSelServer selects nothing"


def test_default_file_lists_its_three_locations(open_list):
    _, items = open_list()
    assert items["items"] == DEFAULT_FILE
    assert items["height"] == ITEM_HEIGHT


@pytest.mark.parametrize("sections, listed", [
    ([location(1), location(2, id_="0"), location(3, id_="3")], ["第1区"]),
    ([location(1), location(2, id_="2", host=""), location(3, id_="3")], ["第1区"]),
    ([location(1), location(2, id_="2", func=None), location(3, id_="3")], ["第1区"]),
    ([location(1), location(2, id_="2"), location(3, id_="-3")], ["第1区", "第2区"]),
    ([location(1, id_="0"), location(2, id_="2"), location(3, id_="3")], []),
    ([location(1), location(2, id_="2", port=None), location(3, id_="3")], ["第1区", "第2区", "第3区"]),
], ids=["ID 0 in the middle", "no host in the middle", "no page in the middle", "negative ID last",
        "invalid first", "no port is valid"])
def test_configured_locations_skip_invalid_sections_and_later_positions(open_list, install_dir, sections, listed):
    """A skipped section leaves a gap, and the list refuses a location whose
    position lies beyond its end."""
    write_client_info(install_dir, client_info(), ("Locations", [("count", "3")]), *sections)
    _, items = open_list()
    assert items["items"] == listed


def test_count_beyond_the_sections_lists_the_existing_ones(open_list, install_dir):
    write_client_info(install_dir, client_info(), ("Locations", [("count", "5")]),
                      location(1), location(2, id_="2"))
    _, items = open_list()
    assert items["items"] == ["第1区", "第2区"]


@pytest.mark.parametrize("value, selection", [
    ("1", 0), ("2", 1), ("3", 2), ("0", -1), ("4", -1), ("x", -1),
])
def test_last_chosen_server_is_selected_at_start(open_list, install_dir, value, selection):
    write_client_info(install_dir, client_info(("LastSelServer", value)), ("Locations", [("count", "0")]))
    _, items = open_list()
    assert items["selection"] == selection


@pytest.mark.parametrize("before", [None, "2"])
def test_confirming_the_third_server_writes_3_and_shows_the_credentials(open_list, ui, install_dir, before):
    keys = [("LastSelServer", before)] if before else []
    write_client_info(install_dir, client_info(*keys), ("Locations", [("count", "0")]))
    window, _ = open_list()

    ui.double_click_item(window.hwnd, SERVER_LIST, 2)

    wait_for(lambda: last_sel_server(install_dir) == "3", 30, what="LastSelServer=3 in ClientInfo.ini")
    wait_for(lambda: not visible(ui, window, SERVER_LIST), 10, what="the server list to hide")
    for control_id in CREDENTIAL_CONTROLS:
        assert visible(ui, window, control_id), control_id
    text = (install_dir / "ClientInfo.ini").read_bytes().decode("gbk")
    assert re.search(r"^Version=2006\.01\.15\r?$", text, re.M), "the rest of the file stays"


def test_double_click_with_nothing_selected_asks_for_a_region(open_list, ui, install_dir):
    write_client_info(install_dir, client_info(), ("Locations", [("count", "0")]))
    window, items = open_list()
    assert items["selection"] == -1

    ui.double_click_item(window.hwnd, SERVER_LIST, -1)
    box = ui.wait_message_box(timeout=30)
    assert (box.caption, box.text, box.buttons) == (PROGRAM_NAME, "请选择大区", [1])
    ui.press(box)
    wait_for(lambda: ui.message_box() is None, 10, what="the message box to close")

    assert visible(ui, window, SERVER_LIST), "nothing else changes"
    for control_id in CREDENTIAL_CONTROLS:
        assert not visible(ui, window, control_id), control_id
    assert last_sel_server(install_dir) is None

    ui.double_click_item(window.hwnd, SERVER_LIST, 0)   # the player can still choose
    wait_for(lambda: last_sel_server(install_dir) == "1", 30, what="LastSelServer=1")
