"""The launcher's drawn look as a player sees it under Wine: the window takes
its background's size, the server list paints over its own bitmap (which
stays at the list's origin when it scrolls), selection colours and the icon's
transparent white, bitmap buttons that show their pressed picture while the
real mouse button is down, and the two messages of missing button pictures."""
import struct
from pathlib import Path

from launcher_panels import (LOGIN_BUTTON, PROGRAM_NAME, SERVER_LIST, DEFAULT_VERSION, visible,
                             wait_for_login_panel, write_client_info)
from vantor_bench.uidriver import wait_for

ART = Path(__file__).resolve().parents[2] / "launcher" / "res" / "art"
LIST_SIZE = (160, 107)
ITEM_HEIGHT = 20
ICON_LEFT, ICON_SIZE = 15, 20
MARGIN = range(1, ICON_LEFT)      # the item's columns before its icon (0 is the bitmap's frame line)


def bmp_rgb(path):
    """(width, height, RGB bytes top row first) of an uncompressed 8- or 24-bit BMP file."""
    data = path.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    header, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    assert compression == 0 and height > 0 and bits in (8, 24), path
    stride = (width * bits // 8 + 3) & ~3
    if bits == 8:
        used, = struct.unpack_from("<I", data, 46)
        table = data[14 + header: 14 + header + 4 * (used or 256)]
        palette = [bytes((table[i + 2], table[i + 1], table[i])) for i in range(0, len(table), 4)]
    rows = []
    for y in range(height - 1, -1, -1):
        row = data[offset + y * stride: offset + y * stride + stride]
        if bits == 8:
            rows.append(b"".join(palette[row[x]] for x in range(width)))
        else:
            rows.append(bytes(b for i in range(0, width * 3, 3) for b in (row[i + 2], row[i + 1], row[i])))
    return width, height, b"".join(rows)


class Picture:
    """RGB pixels of a rectangle, read by (x, y)."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def of_file(cls, name):
        return cls(*bmp_rgb(ART / name))

    @classmethod
    def of_screen(cls, display, x, y, width, height):
        return cls(width, height, display.pixels(x, y, width, height))

    def __getitem__(self, point):
        x, y = point
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])


LIST_BITMAP = Picture.of_file("serverlist.bmp")
ICON = Picture.of_file("servericon.bmp")
WHITE = (255, 255, 255)


def client_info_with_locations(install_dir, count, **client):
    sections = [("ClientInfo", [("Version", DEFAULT_VERSION), *client.items()]), ("Locations", [("count", str(count))])]
    for n in range(1, count + 1):
        sections.append((f"location{n}", [("ID", str(n)), ("Name", f"第{n}区"), ("Host", "127.10.0.1"),
                                          ("Port", "443"), ("Func", "Login.aspx")]))
    write_client_info(install_dir, *sections)


def highlight_colour(ui):
    """The system highlight colour of the Wine prefix, as the list fills with it."""
    raw = ui.reg_read("HKCU", r"Control Panel\Colors", "Hilight")
    return tuple(int(part) for part in raw.rstrip(b"\0").split())


class Launcher:
    """A started launcher in its server choice panel, with screen positions."""

    def __init__(self, launcher, ui, display):
        self.ui, self.display = ui, display
        _, self.window = launcher()
        wait_for_login_panel(ui, self.window)
        self.x, self.y, self.width, self.height = ui.window(self.window.hwnd).rect
        self.list = self.at(ui.control(self.window.hwnd, SERVER_LIST).rect)

    def at(self, rect):
        """A control's rectangle (dialog client coordinates) on the screen."""
        return (self.x + rect[0], self.y + rect[1], rect[2], rect[3])

    def list_picture(self):
        return Picture.of_screen(self.display, self.list[0], self.list[1], *LIST_SIZE)

    def list_client_width(self):
        return self.ui.control(self.window.hwnd, SERVER_LIST).client[2]

    def click_item(self, row):
        """A real click on the visible row (0 = top) of the list."""
        self.display.click(self.list[0] + 80, self.list[1] + row * ITEM_HEIGHT + ITEM_HEIGHT // 2)


def margin_shows_bitmap(picture, rows):
    return all(picture[x, y] == LIST_BITMAP[x, y] for y in rows for x in MARGIN)


def margin_is(picture, rows, colour):
    return all(picture[x, y] == colour for y in rows for x in MARGIN)


def item_rows(row):
    """The rows of a visible item inside its top and bottom edge, where the
    focus frame of a focused item would lie."""
    return range(row * ITEM_HEIGHT + 1, (row + 1) * ITEM_HEIGHT - 1)


def test_window_takes_the_background_size_and_an_empty_list_shows_only_its_bitmap(
        launcher, ui, display, install_dir, update_service, recorders):
    # A single invalid location leaves the list empty.
    write_client_info(install_dir, ("ClientInfo", [("Version", DEFAULT_VERSION)]), ("Locations", [("count", "1")]),
                      ("location1", [("ID", "0"), ("Name", "第1区"), ("Host", "127.10.0.1"), ("Func", "Login.aspx")]))
    shown = Launcher(launcher, ui, display)
    assert (shown.width, shown.height) == (600, 400)
    assert ui.items(shown.window.hwnd, SERVER_LIST)["count"] == 0
    assert shown.list[2:] == LIST_SIZE
    wait_for(lambda: shown.list_picture().rgb == LIST_BITMAP.rgb, 10, what="the empty list to show its bitmap")


def test_selected_item_is_highlighted_and_the_one_that_lost_it_shows_the_bitmap_again(
        launcher, ui, display, install_dir, update_service, recorders):
    client_info_with_locations(install_dir, 4)
    shown = Launcher(launcher, ui, display)
    highlight = highlight_colour(ui)

    shown.click_item(1)
    wait_for(lambda: ui.items(shown.window.hwnd, SERVER_LIST)["selection"] == 1, 10, what="item 1 selected")
    wait_for(lambda: margin_is(shown.list_picture(), item_rows(1), highlight), 10, what="item 1 highlighted")
    picture = shown.list_picture()
    assert margin_shows_bitmap(picture, item_rows(0)), "an item never selected shows the bitmap"

    # The item that loses the selection is drawn in the passing colour, then the
    # whole list repaints and shows the bitmap under it again.
    shown.click_item(3)
    wait_for(lambda: ui.items(shown.window.hwnd, SERVER_LIST)["selection"] == 3, 10, what="item 3 selected")
    wait_for(lambda: margin_shows_bitmap(shown.list_picture(), item_rows(1)), 10,
             what="the bitmap under the item that lost the selection")
    assert margin_is(shown.list_picture(), item_rows(3), highlight)


def test_icon_white_shows_the_list_bitmap(launcher, ui, display, install_dir, update_service, recorders):
    client_info_with_locations(install_dir, 2)
    shown = Launcher(launcher, ui, display)
    picture = wait_for(lambda: (p := shown.list_picture())[ICON_LEFT + 10, 10] == ICON[10, 10] and p, 10,
                       what="the icon of the first item")
    # Columns of the icon before the text begins (the text starts 16 pixels into it).
    white = 0
    for y in range(ICON_SIZE):
        for x in range(16):
            expected = LIST_BITMAP[ICON_LEFT + x, y] if ICON[x, y] == WHITE else ICON[x, y]
            assert picture[ICON_LEFT + x, y] == expected, (x, y)
            white += ICON[x, y] == WHITE
    assert white > 20, "the icon has white corners to check"


def test_scrolling_keeps_the_bitmap_at_the_list_origin(launcher, ui, display, install_dir, update_service, recorders):
    client_info_with_locations(install_dir, 10, LastSelServer="3")
    shown = Launcher(launcher, ui, display)
    highlight = highlight_colour(ui)
    wait_for(lambda: margin_is(shown.list_picture(), item_rows(2), highlight), 10, what="item 2 highlighted")

    # The scroll bar's lower arrow, at the list's bottom right.
    scroll_bar = LIST_SIZE[0] - shown.list_client_width()
    assert scroll_bar > 0, "ten items need a scroll bar"
    shown.display.click(shown.list[0] + LIST_SIZE[0] - scroll_bar // 2, shown.list[1] + LIST_SIZE[1] - 4)
    wait_for(lambda: margin_is(shown.list_picture(), item_rows(1), highlight), 10,
             what="the items to scroll up by one")

    picture = shown.list_picture()
    rows = [y for y in range(LIST_SIZE[1]) if not ITEM_HEIGHT <= y < 2 * ITEM_HEIGHT]
    assert margin_shows_bitmap(picture, rows), "the bitmap stays where it was, under items that moved"
    assert all(picture[x, 0] == LIST_BITMAP[x, 0] for x in range(shown.list_client_width())), \
        "the bitmap's top line is still at the top"


def test_button_shows_its_pressed_picture_while_the_mouse_button_is_down(
        launcher, ui, display, install_dir, update_service, recorders):
    client_info_with_locations(install_dir, 2, LastSelServer="1")
    shown = Launcher(launcher, ui, display)
    x, y, width, height = shown.at(ui.control(shown.window.hwnd, LOGIN_BUTTON).rect)
    normal, pressed = Picture.of_file("loginbutton1.bmp"), Picture.of_file("loginbutton2.bmp")
    assert (width, height) == (normal.width, normal.height) == (77, 25)
    assert normal.rgb != pressed.rgb

    def button():
        return Picture.of_screen(display, x, y, width, height).rgb

    wait_for(lambda: button() == normal.rgb, 10, what="the login button at rest")
    display.press(x + width // 2, y + height // 2)
    try:
        wait_for(lambda: button() == pressed.rgb, 10, what="the pressed login button")
    finally:
        display.release()
    wait_for(lambda: button() == normal.rgb, 10, what="the login button back at rest")
    # The click went through: the chosen server is confirmed and the credentials show.
    wait_for(lambda: not visible(ui, shown.window, SERVER_LIST), 10, what="the server list to hide")


def rename_resource(exe, name, replacement):
    """Renames a named resource of a program file in place, so that a lookup by
    the old name fails; the replacement keeps the directory's sort order."""
    data = exe.read_bytes()
    old, new = name.encode("utf-16-le"), replacement.encode("utf-16-le")
    assert len(old) == len(new) and data.count(old) == 1, name
    exe.write_bytes(data.replace(old, new))


def test_missing_exit_and_forum_pictures_are_reported_and_the_launcher_goes_on(
        launcher, ui, install_dir, update_service, recorders):
    exe = install_dir / "VantorLogin.exe"
    rename_resource(exe, "EXITBUTTON1", "EXITBUTTON0")
    rename_resource(exe, "BBSBUTTON1", "BBSBUTTON0")
    program, _ = launcher(wait=False)

    for text in ("载入按钮图片错误", "载入论坛按钮图片错误"):
        box = ui.wait_message_box(timeout=60)
        assert (box.caption, box.text, box.buttons) == (PROGRAM_NAME, text, [1])
        ui.press(box)
        wait_for(lambda: (b := ui.message_box()) is None or b.hwnd != box.hwnd, 10, what="the message box to close")
    window = program.wait_window()
    wait_for_login_panel(ui, window)
    assert ui.message_box() is None, "the other four buttons load silently"
