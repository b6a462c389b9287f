"""The updater against downloads and packages that go wrong: whatever
happens, no installed file changes, no partial package stays in Update\\,
nothing is written outside the installation, and the updater ends without
a message. Each case starts VantorUpdate.exe directly in a fresh
installation, as the launcher would with an update that is not forced."""
import time

import pytest

from update_road import (LAUNCHER_EXE, PACKAGE, SOCKET_CLIENT_AGENT, client_version, installed_files,
                         make_handmade_package, make_update_package, pids, wait_updater_window,
                         prepare_install, socket_download, update_folder)
from launcher_panels import DEFAULT_VERSION

RECEIVE_TIME_OUT = 15    # seconds the updater's socket client waits for the next bytes
OUTSIDE = "outside.txt"  # a file next to the installation folder that no update may write
NEWS = b"news of the new client\r\n" * 2000


def serve(behaviour):
    return lambda service, size: service.configure("A", **behaviour(size))


FAULTS = {
    "cut mid-body": dict(serve=serve(lambda size: dict(cut_after=size // 2)), delivery=("cut",)),
    "stall": dict(serve=serve(lambda size: dict(stall_after=size // 2)), delivery=("client closed",)),
    "refused connection": dict(serve=serve(lambda size: dict(down=True)), delivery=None),
    # The package file stays empty, so the unpack fails (the updater may hang
    # up before the host has sent the body it did not announce).
    "no Content-Length": dict(serve=serve(lambda size: dict(content_length=None)),
                              delivery=("complete", "client closed"), empty_package=True),
    # Update\..\outside.txt is a file of the installation: a copy that followed
    # the item would put it next to the installation and delete it there.
    "traversal manifest": dict(items=("..\\" + OUTSIDE, "news.txt"), skipped=("news.txt",), delivery=("complete",)),
}


@pytest.mark.parametrize("fault", list(FAULTS))
def test_download_or_package_fault_leaves_the_installation_as_it_was(
        ui, wine, build_dir, install_dir, tmp_path, download_service, run_updater, fault):
    case = FAULTS[fault]
    prepare_install(wine, ui, install_dir)
    (install_dir / OUTSIDE).write_bytes(b"a file of the installation")
    if "items" in case:
        package = make_handmade_package(wine, build_dir, tmp_path / "package", {"news.txt": NEWS}, items=case["items"])
    else:
        package = make_update_package(wine, build_dir, tmp_path / "package", {"news.txt": NEWS})
    download_service.add_package(PACKAGE, package.archive)
    if "serve" in case:
        case["serve"](download_service, package.archive.stat().st_size)
    before = installed_files(install_dir)

    updater = run_updater(f"{download_service.url(PACKAGE)}|0")
    if fault == "stall":
        # The last byte has gone out once the host stalls; the updater gives up 15 s later.
        stalled = socket_download(download_service, lambda d: d.stalled)
        stalled_at = time.time()
        ended = socket_download(download_service, lambda d: d.finished, timeout=RECEIVE_TIME_OUT + 10)
        assert ended.end == "client closed" and ended.sent == stalled.sent
        assert RECEIVE_TIME_OUT - 1 <= ended.ended - stalled_at <= RECEIVE_TIME_OUT + 1
    updater.wait_exit(timeout=60)

    assert installed_files(install_dir) == before
    assert client_version(install_dir) == DEFAULT_VERSION
    assert not (tmp_path / OUTSIDE).exists(), "nothing is written next to the installation"
    left = update_folder(install_dir)
    expected = {name: len(NEWS) for name in case.get("skipped", ())}
    if case.get("empty_package"):
        # An empty package that failed to unpack may stay; it holds no byte of the download.
        assert left in (expected, {**expected, PACKAGE: 0}), left
    else:
        assert left == expected
    assert ui.message_box() is None
    assert not pids(ui, LAUNCHER_EXE)
    if "delivery" in case:   # the fault reached the updater's own download
        if case["delivery"] is None:
            assert download_service.deliveries("A") == []
        else:
            assert socket_download(download_service).end in case["delivery"]


# ---- the player closes the updater ---------------------------------------------------------------------

CLOSE_BUTTON = (30, 27)   # the close button's size, at the window's top right corner
STUCK = {
    # The socket client's request is taken and then nothing comes back.
    "accepted, nothing sent": dict(delay=600, state="waiting"),
    # One header byte a second: hours for a header under a per-byte time-out.
    "header trickles": dict(header_rate=1, state="sending"),
    "body stalls": dict(stall_after=1000, state="stalled"),
}


@pytest.mark.parametrize("stuck", list(STUCK))
def test_close_button_ends_the_updater_at_once_whatever_the_host_does(
        ui, display, wine, build_dir, install_dir, tmp_path, download_service, run_updater, stuck):
    case = dict(STUCK[stuck])
    state = case.pop("state")
    prepare_install(wine, ui, install_dir)
    display.point(0, 0)   # the player's pointer comes to the button from elsewhere
    package = make_update_package(wine, build_dir, tmp_path / "package", {"news.txt": NEWS})
    download_service.add_package(PACKAGE, package.archive)
    # Only the socket client's download is held up, not the resolve before it.
    download_service.configure("A", agent=SOCKET_CLIENT_AGENT, **case)
    before = installed_files(install_dir)
    updater = run_updater(f"{download_service.url(PACKAGE)}|1")
    window = wait_updater_window(ui)
    socket_download(download_service, lambda d: d.state == state)
    time.sleep(1)   # well inside the wait, past any first byte

    x, y, width, _ = ui.window(window.hwnd).rect
    clicked = time.monotonic()
    display.click(x + width - CLOSE_BUTTON[0] // 2, y + CLOSE_BUTTON[1] // 2)
    assert updater.wait_exit(timeout=30) == 0
    assert time.monotonic() - clicked < 2, "the download worker gives up its wait at once"
    assert installed_files(install_dir) == before
    assert update_folder(install_dir) == {}
