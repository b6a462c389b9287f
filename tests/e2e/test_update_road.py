"""The update road under Wine with the real launcher, updater and
Parcelkit.dll: the launcher hears of a newer client from the update-info
service, starts the updater, which downloads the package, unpacks it,
waits for the launcher to be gone, installs the files, records the version
and, when forced, starts the launcher again. Also: a second updater, a
delivered self-update program, a missing package library, a manifest with
an empty version, and a 200 MB package from nginx."""
import os
import shutil
import socket
import urllib.error
import urllib.request

import pytest

from launcher_panels import wait_for_login_panel
from update_road import (LAUNCHER_EXE, MANIFEST, NEW_VERSION, NOT_REPLACED, PACKAGE, PARCELKIT_MISSING,
                         SELF_UPDATE_EXE, SOCKET_CLIENT_AGENT, SW_MINIMIZE, UPDATER_EXE,
                         client_version, digest, installed_files, make_handmade_package, make_update_package,
                         marked_launcher,
                         pids, prepare_install, progress_percent, socket_download, socket_downloads, stays,
                         update_folder,
                         wait_updater_window, write_incompressible)
import subprocess

from counterpart_fixtures import Recorders
from launcher_panels import DEFAULT_VERSION
from counterparts.services.packages import manifest_document
from vantor_bench.programs import LAUNCHER_TITLE
from vantor_bench.uidriver import wait_for

UPDATE_INFO_TARGET = "/LoginPacketN/WebForm1.aspx?ver="
BIG_SIZE = 200 * 1024 * 1024


def new_client_files(build_dir):
    """What the road's update installs: a new launcher, a file into the
    existing certs\\ folder and a file that is new."""
    return {LAUNCHER_EXE: marked_launcher(build_dir, f"client {NEW_VERSION}"),
            "certs\\notice.txt": f"certificates of {NEW_VERSION}\r\n".encode(),
            "news-2006.02.01.txt": bytes(range(256)) * 40}


def assert_installed(install_dir, package):
    for path, data in package.files.items():
        assert (install_dir / path.replace("\\", "/")).read_bytes() == data, path
    assert client_version(install_dir) == package.version
    assert update_folder(install_dir) == {}, "sources, manifest and package are all deleted"


def real_updater(build_dir, install_dir):
    """The recorders fixture put a recording program in the updater's place."""
    shutil.copyfile(build_dir / "image" / UPDATER_EXE, install_dir / UPDATER_EXE)


def serve_new_client(wine, build_dir, install_dir, tmp_path, download_service):
    """The real updater in the installation, and the road's package on the download service."""
    real_updater(build_dir, install_dir)
    package = make_update_package(wine, build_dir, tmp_path / "package", new_client_files(build_dir))
    download_service.add_package(PACKAGE, package.archive)
    return package


def watch_progress(display, ui, window):
    """The progress bar's percentage each time it changes, until the updater's window is gone."""
    seen = []
    while (percent := progress_percent(display, ui, window)) is not None:
        if not seen or seen[-1] != percent:
            seen.append(percent)
    return seen


# ---- the whole road --------------------------------------------------------------------------------------

def test_forced_update_installs_the_package_and_starts_the_new_launcher(
        launcher, ui, display, wine, build_dir, install_dir, tmp_path, update_service, download_service, recorders,
        road_processes):
    package = serve_new_client(wine, build_dir, install_dir, tmp_path, download_service)
    # About three seconds of download, so that the player sees the progress move.
    download_service.configure("A", rate=max(package.archive.stat().st_size // 3, 10_000))
    update_service.set_offer(latest_version=NEW_VERSION, package_url=download_service.redirect_url(PACKAGE), force="1")
    first, _ = launcher(wait=False)

    assert first.wait_exit(timeout=60) == 0, "a forced update ends the launcher"
    window = wait_updater_window(ui)
    seen = watch_progress(display, ui, window)

    assert seen == sorted(seen) and seen[0] < 50, f"the blocks only advance: {seen}"
    assert any(0 < v < 100 for v in seen), f"progress between the ends: {seen}"
    assert socket_download(download_service).end == "complete"

    wait_for(lambda: not pids(ui, UPDATER_EXE), 30, what="the updater to end")
    assert_installed(install_dir, package)
    relaunched = ui.wait_window(title=LAUNCHER_TITLE, timeout=60)
    wait_for_login_panel(ui, relaunched, timeout=60)
    asked = {r.target for r in update_service.requests()}
    assert UPDATE_INFO_TARGET + NEW_VERSION in asked, "the new launcher asks with the recorded version"
    assert len(pids(ui, LAUNCHER_EXE)) == 1 and not pids(ui, UPDATER_EXE), "the new launcher finds no update"
    assert ui.message_box() is None


def test_update_that_is_not_forced_stays_hidden_and_waits_for_the_launcher(
        launcher, ui, wine, build_dir, install_dir, tmp_path, update_service, download_service, recorders,
        road_processes):
    package = serve_new_client(wine, build_dir, install_dir, tmp_path, download_service)
    update_service.set_offer(latest_version=NEW_VERSION, package_url=download_service.url(PACKAGE), force="0")
    program, window = launcher()
    wait_for_login_panel(ui, window)

    updater = wait_updater_window(ui, visible=False)
    states = [ui.state(updater.hwnd)]

    def unpacked():
        states.append(ui.state(updater.hwnd))
        files = update_folder(install_dir)
        return MANIFEST in files and PACKAGE not in files
    wait_for(unpacked, 60, what="the package to be unpacked")
    before = installed_files(install_dir)
    stays(lambda: installed_files(install_dir) == before and pids(ui, UPDATER_EXE), 3,
          "nothing installed while the launcher runs")
    assert program.running()

    ui.post_close(window.hwnd)
    assert program.wait_exit(timeout=30) == 0
    wait_for(lambda: states.append(ui.state(updater.hwnd)) or not pids(ui, UPDATER_EXE), 30,
             what="the updater to end")
    assert_installed(install_dir, package)
    assert not pids(ui, LAUNCHER_EXE), "the launcher is not started again"
    assert not any(state.visible for state in states), states
    shown = [state for state in states if state.exists]
    assert shown and all(state.tool_window and not state.app_window for state in shown), \
        "no taskbar button: a tool window without the application-window style"


def test_file_that_stays_held_is_named_once_and_the_next_start_completes_the_update(
        launcher, ui, wine, build_dir, install_dir, tmp_path, update_service, download_service, recorders,
        road_processes):
    """A forced update whose file cannot be replaced (a scanner or a program
    holds it) does not start the launcher again, which would only fetch the
    same update and fail on the same file, round after round."""
    real_updater(build_dir, install_dir)
    (install_dir / "data.dat").write_bytes(b"the old data")
    package = make_update_package(wine, build_dir, tmp_path / "package",
                                  {"news.txt": b"news", "data.dat": b"the new data"})
    download_service.add_package(PACKAGE, package.archive)
    update_service.set_offer(latest_version=NEW_VERSION, package_url=download_service.url(PACKAGE), force="1")
    holder = wine.start([build_dir / "tools" / "hold_file.exe", wine.winpath(install_dir / "data.dat")],
                        stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    try:
        assert holder.stdout.readline().strip() == b"held"
        first, _ = launcher(wait=False)
        assert first.wait_exit(timeout=60) == 0

        box = ui.wait_message_box(timeout=90)
        assert (box.text, box.buttons) == (NOT_REPLACED.format("data.dat"), [1])
        ui.press(box)
        wait_for(lambda: not pids(ui, UPDATER_EXE), 30, what="the updater to end")
        assert not pids(ui, LAUNCHER_EXE), "the launcher is not started again"
        assert len(socket_downloads(download_service)) == 1
        assert client_version(install_dir) == DEFAULT_VERSION
        assert (install_dir / "data.dat").read_bytes() == b"the old data"
    finally:
        holder.stdin.close()
        holder.wait(timeout=30)

    # Once the file is free, the player's next start completes the update.
    launcher(wait=False)
    relaunched = wait_for(lambda: len(socket_downloads(download_service)) == 2 and
                          ui.wait_window(title=LAUNCHER_TITLE, timeout=90), 120, what="the relaunched launcher")
    wait_for_login_panel(ui, relaunched, timeout=60)
    assert_installed(install_dir, package)


def test_self_update_program_left_by_an_earlier_package_never_takes_over(
        ui, wine, build_dir, install_dir, tmp_path, download_service, run_updater):
    prepare_install(wine, ui, install_dir)
    recorder = (build_dir / "counterparts" / "recorder.exe").read_bytes()
    (install_dir / "Update").mkdir(exist_ok=True)
    (install_dir / "Update" / SELF_UPDATE_EXE).write_bytes(recorder)
    package = make_update_package(wine, build_dir, tmp_path / "package", {"news.txt": b"news"})
    download_service.add_package(PACKAGE, package.archive)

    run_updater(f"{download_service.url(PACKAGE)}|0").wait_exit(timeout=60)

    assert (install_dir / "news.txt").read_bytes() == b"news", "the manifest is applied"
    assert client_version(install_dir) == NEW_VERSION
    assert update_folder(install_dir) == {}, "the leftover is deleted, not run"


# ---- one updater at a time -------------------------------------------------------------------------------

def test_second_updater_brings_the_first_forward_and_ends(
        ui, wine, build_dir, install_dir, tmp_path, download_service, run_updater):
    prepare_install(wine, ui, install_dir)
    # Incompressible, so that the stall comes before the package's end.
    package = make_update_package(wine, build_dir, tmp_path / "package", {"news.txt": os.urandom(50_000)})
    download_service.add_package(PACKAGE, package.archive)
    download_service.configure("A", stall_after=1000)   # the first updater keeps downloading
    first = run_updater(f"{download_service.url(PACKAGE)}|1")
    window = wait_updater_window(ui)
    socket_download(download_service, lambda d: d.stalled)
    ui.show(window.hwnd, SW_MINIMIZE)
    wait_for(lambda: ui.state(window.hwnd).iconic, 10, what="the first updater minimised")

    second = run_updater(f"{download_service.url(PACKAGE)}|1")
    second.wait_exit(timeout=30)

    state = wait_for(lambda: (s := ui.state(window.hwnd)).foreground and not s.iconic and s, 10,
                     what="the first updater restored to the foreground")
    assert state.visible
    assert first.running() and pids(ui, UPDATER_EXE) == [state.pid]
    agents = sorted(d.request.header("User-Agent") for d in download_service.deliveries("A"))
    assert agents == sorted([SOCKET_CLIENT_AGENT, "VantorUpdate"]), "only the first updater resolved and fetched"


# ---- what the package brings -----------------------------------------------------------------------------

def test_delivered_self_update_program_is_started_and_the_manifest_left_alone(
        ui, wine, build_dir, install_dir, tmp_path, download_service, run_updater):
    prepare_install(wine, ui, install_dir)
    recorder = (build_dir / "counterparts" / "recorder.exe").read_bytes()
    package = make_handmade_package(wine, build_dir, tmp_path / "package",
                                    {SELF_UPDATE_EXE: recorder, "news.txt": b"news"}, items=["news.txt"])
    download_service.add_package(PACKAGE, package.archive)
    before = installed_files(install_dir)

    updater = run_updater(f"{download_service.url(PACKAGE)}|1")
    started = Recorders(install_dir / "Update", build_dir / "counterparts" / "recorder.exe")
    [line] = started.wait_lines(SELF_UPDATE_EXE, 1, timeout=60)
    updater.wait_exit(timeout=30)

    assert line.rstrip().strip(b'"').endswith(b"\\Update\\" + SELF_UPDATE_EXE.encode()), "started without parameters"
    assert installed_files(install_dir) == before
    assert set(update_folder(install_dir)) >= {MANIFEST, "news.txt", SELF_UPDATE_EXE}
    assert PACKAGE not in update_folder(install_dir)
    assert not pids(ui, LAUNCHER_EXE), "the self-update program takes over: no launcher started"


def test_missing_package_library_is_reported_and_nothing_installed(
        ui, wine, build_dir, install_dir, tmp_path, download_service, run_updater):
    prepare_install(wine, ui, install_dir)
    (install_dir / "Parcelkit.dll").unlink()
    package = make_update_package(wine, build_dir, tmp_path / "package", {"news.txt": b"news"})
    download_service.add_package(PACKAGE, package.archive)
    before = installed_files(install_dir)

    updater = run_updater(f"{download_service.url(PACKAGE)}|1")
    box = ui.wait_message_box(timeout=60)
    assert (box.text, box.buttons) == (PARCELKIT_MISSING, [1])
    assert box.caption in ("Error", "错误"), "no caption given: the system's default"
    ui.press(box)
    updater.wait_exit(timeout=30)

    assert installed_files(install_dir) == before
    assert update_folder(install_dir) == {PACKAGE: package.archive.stat().st_size}, "the package is kept"
    assert not pids(ui, LAUNCHER_EXE)


def test_manifest_with_an_empty_version_changes_nothing(
        ui, wine, build_dir, install_dir, tmp_path, download_service, run_updater):
    prepare_install(wine, ui, install_dir)
    package = make_handmade_package(wine, build_dir, tmp_path / "package", {"news.txt": b"news"}, version="")
    download_service.add_package(PACKAGE, package.archive)
    before = installed_files(install_dir)

    updater = run_updater(f"{download_service.url(PACKAGE)}|1")
    updater.wait_exit(timeout=60)

    assert installed_files(install_dir) == before
    manifest = manifest_document(package.version, list(package.items))
    assert update_folder(install_dir) == {MANIFEST: len(manifest), "news.txt": 4}
    assert not pids(ui, LAUNCHER_EXE), "not started, although forced"


# ---- a big package from a server none of us wrote ---------------------------------------------------------

@pytest.fixture(scope="session")
def big_package(wine, build_dir, tmp_path_factory):
    """A 200 MB update (one incompressible file), packed once per session."""
    work = tmp_path_factory.mktemp("big-package")
    content = write_incompressible(work / "content.bin", BIG_SIZE)
    package = make_update_package(wine, build_dir, work / "package", {"big.dat": content})
    content_digest = digest(content)
    content.unlink()
    return package, content_digest


@pytest.mark.slow
def test_200_mb_package_from_nginx_through_its_redirect(
        ui, wine, build_dir, install_dir, nginx_server, big_package, run_updater):
    package, content_digest = big_package
    prepare_install(wine, ui, install_dir)
    nginx_server.add_package(PACKAGE, package.archive)
    size = package.archive.stat().st_size

    updater = run_updater(f"{nginx_server.redirect_url(PACKAGE)}|0")
    updater.wait_exit(timeout=240)

    assert digest(install_dir / "big.dat") == content_digest
    assert client_version(install_dir) == NEW_VERSION
    assert update_folder(install_dir) == {}
    fetched = [e for e in nginx_server.access() if e.user_agent == SOCKET_CLIENT_AGENT]
    assert [(e.target, e.status, e.length, e.sent, e.complete, e.encoding) for e in fetched] == [
        (f"/packages/{PACKAGE}", 200, size, size, True, "")]
    assert nginx_server.access()[0].status == 302, "the system's HTTP stack followed the redirect"


def test_nginx_serves_whole_packages_and_redirects_only_to_plain_names(nginx_server, tmp_path):
    """What the updater relies on from nginx: one Content-Length and the whole
    body (never chunked) for a package, a redirect for a plain package name."""
    body = bytes(range(256)) * 400
    nginx_server.add_package(PACKAGE, body)
    request = (f"GET /packages/{PACKAGE} HTTP/1.1\r\nHost:{nginx_server.address}\r\nAccept:*/*\r\n"
               f"User-Agent:{SOCKET_CLIENT_AGENT}\r\nConnection:Keep-Alive\r\n\r\n").encode()
    with socket.create_connection((nginx_server.address, nginx_server.port), timeout=30) as connection:
        connection.sendall(request)
        answer = b""
        while b"\r\n\r\n" not in answer or len(answer) < answer.index(b"\r\n\r\n") + 4 + len(body):
            answer += connection.recv(65536)
    header, received = answer.split(b"\r\n\r\n", 1)
    assert header.startswith(b"HTTP/1.1 200 OK\r\n") and f"\r\nContent-Length: {len(body)}".encode() in header
    assert b"Transfer-Encoding" not in header and received == body

    with urllib.request.urlopen(nginx_server.redirect_url(PACKAGE), timeout=30) as reply:
        assert (reply.geturl(), reply.read()) == (nginx_server.url(PACKAGE), body)
    (tmp_path / "secret.txt").write_bytes(b"SECRET")
    for name, status in [("../secret.txt", 400), ("..%5Csecret.txt", 400), (".hidden", 400), ("Missing.vpk", 404)]:
        with pytest.raises(urllib.error.HTTPError) as refused:
            urllib.request.urlopen(f"{nginx_server.base_url}/get.aspx?file={name}", timeout=30)
        assert refused.value.code == status, name
    nginx_server.wait_access(lambda e: e.status == 404)
    entries = nginx_server.access()
    assert [(e.path, e.status, e.complete) for e in entries[:3]] == [
        (f"/packages/{PACKAGE}", 200, True), ("/get.aspx", 302, True), (f"/packages/{PACKAGE}", 200, True)]
    assert entries[0].user_agent == SOCKET_CLIENT_AGENT and entries[1].location == nginx_server.url(PACKAGE)
