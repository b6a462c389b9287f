"""The updater against downloads and packages that go wrong: whatever
happens, no installed file changes, no partial package stays in Update\\,
nothing is written outside the installation, and the updater ends without
a message. Each case starts VantorUpdate.exe directly in a fresh
installation, as the launcher would with an update that is not forced."""
import time

import pytest

from update_road import (LAUNCHER_EXE, PACKAGE, client_version, installed_files, make_update_package, pids,
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
    package = make_update_package(wine, build_dir, tmp_path / "package", {"news.txt": NEWS},
                                  items=case.get("items"))
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
