"""The updater's skinned window as a player sees it under Wine, during a
throttled download: shaped corners, the title in its colour, the close button
that lights up under the real pointer and ends the updater when clicked,
progress blocks that advance, and a caption strip that drags the window."""
import struct
import time

from update_road import (PACKAGE, REPO, make_update_package, pids, prepare_install, progress_percent,
                         socket_download, update_folder, wait_updater_window, write_incompressible)
from vantor_bench.uidriver import wait_for

ART = REPO / "updater" / "res" / "art"
TITLE_COLOUR = (6, 54, 127)
CLOSE_SIZE = (30, 27)
CORNER = 10                       # the skin's top corners, shaped by the key colour
CAPTION_TEXT = (15, 8, 150, 20)   # where the title is drawn, in window coordinates
PACKAGE_BYTES = 3 * 1024 * 1024
RATE = 150 * 1024                 # about twenty seconds of download
BEHIND = (255, 0, 255)            # the screen behind the window: in neither the skin nor its key colour


def bmp_rgb(path):
    """The RGB bytes, top row first, of a 24-bit bottom-up BMP file."""
    data = path.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24 and height > 0, path
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rows.append(bytes(b for i in range(0, len(row), 3) for b in (row[i + 2], row[i + 1], row[i])))
    return b"".join(rows)


def pixel(display, x, y):
    return tuple(display.pixels(x, y, 1, 1))


def test_skinned_window_during_a_throttled_download(
        request, ui, display, wine, build_dir, install_dir, tmp_path, download_service, run_updater):
    prepare_install(wine, ui, install_dir)
    payload = write_incompressible(tmp_path / "payload.dat", PACKAGE_BYTES)
    package = make_update_package(wine, build_dir, tmp_path / "package", {"payload.dat": payload})
    download_service.add_package(PACKAGE, package.archive)
    download_service.configure("A", rate=RATE)
    display.point(0, 0)
    display.fill_background(BEHIND)
    request.addfinalizer(lambda: display.fill_background((0, 0, 0)))
    updater = run_updater(f"{download_service.url(PACKAGE)}|1")
    window = wait_updater_window(ui)
    x, y, width, height = ui.window(window.hwnd).rect
    close_x, close_y = x + width - CLOSE_SIZE[0], y

    # The progress blocks advance while the package comes in.
    socket_download(download_service, lambda d: d.sent > 0)
    first = progress_percent(display, ui, window)
    time.sleep(3)
    assert progress_percent(display, ui, window) > first

    # The title is drawn in its colour inside its rectangle (smoothed: only the
    # strokes' cores reach the colour itself; the rest is blended with the skin).
    cx, cy, cw, ch = CAPTION_TEXT
    caption = display.pixels(x + cx, y + cy, cw, ch)
    colours = [tuple(caption[i:i + 3]) for i in range(0, len(caption), 3)]
    assert TITLE_COLOUR in colours, "the title text in its colour"
    darkest = min(colours, key=sum)
    assert darkest[2] > darkest[0] + 40, f"the title's strokes are dark blue, not {darkest}"

    # The close button: its normal image, then its hover image under the pointer
    # (below the rounded corner, which the window's shape cuts off).
    def close_button_shows(name):
        below_corner = CLOSE_SIZE[0] * 3 * CORNER
        return display.pixels(close_x, close_y + CORNER, CLOSE_SIZE[0], CLOSE_SIZE[1] - CORNER) == \
            bmp_rgb(ART / name)[below_corner:]
    assert close_button_shows("close.bmp")
    display.point(close_x + CLOSE_SIZE[0] // 2, close_y + CLOSE_SIZE[1] // 2)
    wait_for(lambda: close_button_shows("close_hover.bmp"), 5, what="the close button's hover image")

    # The corners are cut off by the window's shape; the edge between them is skin.
    for corner in ((x, y), (x + width - 1, y)):
        assert pixel(display, *corner) == BEHIND, f"the shaped corner at {corner} shows what lies behind"
    assert pixel(display, x + width // 2, y + 1) != BEHIND

    # Dragging the caption strip moves the window.
    display.drag((x + 60, y + 18), (x + 160, y + 68))   # the caption strip: y 8 to 29, 8 pixels in
    moved = wait_for(lambda: (r := ui.window(window.hwnd).rect)[:2] != (x, y) and r, 5, what="the window to move")
    assert moved[:2] == (x + 100, y + 50) and moved[2:] == (width, height)
    assert pixel(display, x, y + height // 2) == BEHIND, "the window left its old place"

    # A click on the close button ends the updater and its download, leaving no partial package.
    nx, ny = moved[0] + width - CLOSE_SIZE[0] // 2, moved[1] + CLOSE_SIZE[1] // 2
    display.click(nx, ny)
    assert updater.wait_exit(timeout=30) == 0
    assert not pids(ui, "VantorUpdate.exe")
    assert PACKAGE not in update_folder(install_dir)
