"""The package download counterpart: packages made by parcel.exe go out byte
for byte to a client that asks exactly as the updater does, the redirecting
address, names that reach outside the folder, each failure behaviour a
download client must survive, and run.py starting it with the others."""
import json
import queue
import random
import re
import signal
import socket
import subprocess
import sys
import threading
import urllib.error
import urllib.request
import zipfile
from dataclasses import dataclass
from pathlib import Path

import pytest

from counterparts.services.download import DownloadService
from counterparts.services.packages import PackageError, make_package, make_release, manifest_document
from package_helpers import parcel, parse_package, tree

REPO = Path(__file__).resolve().parents[2]
PACKAGE = "VantorUpdate.vpk"
DOWNLOAD_HOST = "127.10.4.1"   # the development deployment's download host
USER_AGENT = "Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)"
SMALL = bytes(i * 13 % 256 for i in range(5000))   # a package body of 5000 known bytes


# ---- a client that asks as the updater's socket client does ------------------
def updater_request(host, path):
    return (f"GET {path} HTTP/1.1\r\nHost:{host}\r\nAccept:*/*\r\nUser-Agent:{USER_AGENT}\r\n"
            f"Connection:Keep-Alive\r\n\r\n").encode("latin-1")


def read_header(connection):
    """The header byte by byte up to the blank line (at most 1024 bytes), so no body byte is taken."""
    header = b""
    while not header.endswith(b"\r\n\r\n") and len(header) < 1024:
        byte = connection.recv(1)
        if not byte:
            break
        header += byte
    return header


def header_value(header, name):
    """A header's value found as the updater finds it: the first occurrence of
    name anywhere, value from two bytes after it to the next CR LF; None without it."""
    at = header.find(name.encode())
    if at < 0:
        return None
    start = at + len(name) + 2
    return header[start:header.find(b"\r\n", start)].decode("latin-1")


def read_all(connection, limit=None):
    """Body bytes until the peer closes (or limit bytes have arrived)."""
    data = b""
    while limit is None or len(data) < limit:
        chunk = connection.recv(1024 if limit is None else min(1024, limit - len(data)))
        if not chunk:
            break
        data += chunk
    return data


def open_download(target, address=DOWNLOAD_HOST, read_header_too=True):
    """Connects to port 80, sends the updater's request for target and reads
    the header; returns (connection, header or None)."""
    connection = socket.create_connection((address, 80), timeout=30)
    connection.sendall(updater_request(address, target))
    return connection, read_header(connection) if read_header_too else None


def download(target, address=DOWNLOAD_HOST):
    """(header, body to the end of the connection) for the updater's request."""
    connection, header = open_download(target, address)
    with connection:
        return header, read_all(connection)


def status_of(header):
    return int(header.split(b" ", 2)[1]) if header.startswith(b"HTTP/") else None


# ---- a package made by the operator's tool ------------------------------------
@dataclass(frozen=True)
class MadePackage:
    archive: Path
    files: dict          # name -> bytes of the packed files
    manifest: bytes


@pytest.fixture(scope="module")
def parcel_package(wine, build_dir, tmp_path_factory):
    """One release made by parcel.exe release, of files that do not compress."""
    base = tmp_path_factory.mktemp("made")
    old, source = base / "old", base / "source"
    old.mkdir()
    source.mkdir()
    noise = random.Random(7)
    files = {"VantorLogin.exe": noise.randbytes(90_000), "notes.txt": "更新说明\r\n".encode("gbk"),
             "empty.dat": b""}
    for name, data in files.items():
        (source / name).write_bytes(data)
    release = make_release(wine, build_dir, old, source, base / PACKAGE, "2006.02.01")
    assert release.items == ("VantorLogin.exe", "empty.dat", "notes.txt")
    return MadePackage(release.archive, files, manifest_document("2006.02.01", release.items))


def test_package_made_by_parcel_reaches_the_updater_byte_for_byte(download_service, parcel_package, wine,
                                                                   build_dir, tmp_path):
    archive = parcel_package.archive.read_bytes()
    with zipfile.ZipFile(parcel_package.archive) as z:
        assert z.namelist() == ["PkUpdate.pk"]
        assert [e[0] for e in parse_package(z.read("PkUpdate.pk"))] == [
            "updateFile.xml", "VantorLogin.exe", "empty.dat", "notes.txt"]
    download_service.add_package(PACKAGE, parcel_package.archive)

    connection, header = open_download(f"/packages/{PACKAGE}")
    with connection:
        assert header.startswith(b"HTTP/1.1 200 OK\r\n") and header.endswith(b"\r\n\r\n")
        assert header_value(header, "Content-Length") == str(len(archive))
        assert b"\r\nConnection: close\r\n" in header
        body = read_all(connection, int(header_value(header, "Content-Length")))
        assert body == archive
        assert connection.recv(1) == b"", "the service closes the connection after the body"

    request, = download_service.requests("A")
    assert (request.method, request.target, request.http_version) == ("GET", f"/packages/{PACKAGE}", "HTTP/1.1")
    assert [name for name, _ in request.headers] == ["Host", "Accept", "User-Agent", "Connection"]
    assert (request.header("Host"), request.header("User-Agent")) == ("127.10.4.1", USER_AGENT)
    delivery = download_service.wait_delivery("A")
    assert (delivery.kind, delivery.name, delivery.status, delivery.end) == ("package", PACKAGE, 200, "complete")
    assert (delivery.header, delivery.length, delivery.sent) == (header, len(archive), len(archive))

    # What arrived unpacks as the updater unpacks it.
    update = tmp_path / "Update"
    update.mkdir()
    (update / PACKAGE).write_bytes(body)
    code, _, err = parcel(wine, build_dir, "unpack", wine.winpath(update / PACKAGE), wine.winpath(update) + "\\")
    assert code == 0, err
    assert tree(update) == sorted([PACKAGE, "updateFile.xml", *parcel_package.files])
    assert (update / "updateFile.xml").read_bytes() == parcel_package.manifest
    for name, data in parcel_package.files.items():
        assert (update / name).read_bytes() == data, name


def test_urllib_gets_the_package_and_head_its_length(download_service, parcel_package):
    archive = parcel_package.archive.read_bytes()
    download_service.add_package(PACKAGE, archive)
    with urllib.request.urlopen(download_service.url(PACKAGE), timeout=30) as reply:
        assert (reply.status, reply.headers["Content-Type"]) == (200, "application/octet-stream")
        assert int(reply.headers["Content-Length"]) == len(archive)
        assert reply.read() == archive
    head = urllib.request.Request(download_service.url(PACKAGE), method="HEAD")
    with urllib.request.urlopen(head, timeout=30) as reply:
        assert int(reply.headers["Content-Length"]) == len(archive)
        assert reply.read() == b""
    got, headed = download_service.wait_delivery("A", index=0), download_service.wait_delivery("A", index=1)
    assert (got.sent, got.end) == (len(archive), "complete")
    assert (headed.request.method, headed.status, headed.length, headed.sent, headed.end) == (
        "HEAD", 200, 0, 0, "complete")


def test_make_package_reports_what_parcel_refused(wine, build_dir, tmp_path):
    source = tmp_path / "source"
    (source / "sub").mkdir(parents=True)
    (source / "a.dll").write_bytes(b"a")
    with pytest.raises(PackageError, match="a package holds plain files only"):
        make_package(wine, build_dir, source, manifest_document("2", ["a.dll"]), tmp_path / "out" / PACKAGE)
    assert list((tmp_path / "out").iterdir()) == []


# ---- the redirecting address ---------------------------------------------------
def test_redirect_sends_the_client_on_to_the_package(download_service):
    download_service.add_package(PACKAGE, SMALL)
    header, body = download(f"/get.aspx?file={PACKAGE}")
    assert header.startswith(b"HTTP/1.1 302 Found\r\n")
    assert header_value(header, "Location") == f"http://127.10.4.1/packages/{PACKAGE}"
    assert header_value(header, "Content-Length") == str(len(body))

    # A client that follows redirects, as the system's HTTP stack does.
    with urllib.request.urlopen(download_service.redirect_url(PACKAGE), timeout=30) as reply:
        assert reply.geturl() == download_service.url(PACKAGE)
        assert reply.read() == SMALL
    assert [r.target for r in download_service.requests("A")] == [
        f"/get.aspx?file={PACKAGE}", f"/get.aspx?file={PACKAGE}", f"/packages/{PACKAGE}"]

    download_service.configure("A", location="http://127.10.4.2/mirror/{name}", redirect_status=301)
    header, _ = download(f"/get.aspx?x=1&file={PACKAGE}")
    assert header.startswith(b"HTTP/1.1 301 Moved Permanently\r\n")
    assert header_value(header, "Location") == f"http://127.10.4.2/mirror/{PACKAGE}"


# ---- what is not served ----------------------------------------------------------
@pytest.mark.parametrize("target, status", [
    ("/packages/Missing.vpk", 404),
    ("/packages/vantorupdate.vpk", 404),        # names are case-sensitive
    ("/packages", 404),
    ("/", 404),
    (f"/{PACKAGE}", 404),
    ("/get.aspx?file=Missing.vpk", 404),
    ("/packages/", 400),
    ("/get.aspx", 400),
    (f"/get.aspx?name={PACKAGE}", 400),
    ("/get.aspx?file=", 400),
])
def test_addresses_that_name_no_package(download_service, target, status):
    download_service.add_package(PACKAGE, SMALL)
    header, body = download(target)
    assert status_of(header) == status
    assert header_value(header, "Content-Length") == str(len(body)) and body.startswith(b"<html>")
    assert download_service.wait_delivery("A").kind == ("not found" if status == 404 else "refused")


def test_methods_other_than_get_and_head_are_not_allowed(download_service):
    download_service.add_package(PACKAGE, SMALL)
    request = urllib.request.Request(download_service.url(PACKAGE), data=b"x", method="POST")
    with pytest.raises(urllib.error.HTTPError) as error:
        urllib.request.urlopen(request, timeout=30)
    assert (error.value.code, error.value.headers["Allow"]) == (405, "GET, HEAD")


ESCAPES = [
    "/packages/../secret.txt",
    "/packages/..%2fsecret.txt",
    "/packages/%2e%2e%2fsecret.txt",
    "/packages/%2E%2E/secret.txt",
    "/packages/%252e%252e%252fsecret.txt",        # encoded twice
    "/packages/%c0%ae%c0%ae%c0%afsecret.txt",     # overlong UTF-8 dots and slash
    "/packages/..\\secret.txt",
    "/packages/..%5csecret.txt",
    "/packages//etc/passwd",
    "/packages/%2fetc%2fpasswd",
    "/packages/Z:%5cetc%5cpasswd",
    "/packages/sub/inner.vpk",
    "/packages/..",
    "/packages/.",
    "/packages/.hidden",
    "/packages/secret.txt%00.vpk",
    "/get.aspx?file=../secret.txt",
    "/get.aspx?file=..%2fsecret.txt",
    "/get.aspx?file=%2fetc%2fpasswd",
]


def test_names_that_reach_outside_the_folder_are_refused(download_service, tmp_path):
    folder = download_service.folder
    (tmp_path / "secret.txt").write_bytes(b"SECRET outside the folder")
    (folder / "sub").mkdir()
    (folder / "sub" / "inner.vpk").write_bytes(b"SECRET below the folder")
    (folder / ".hidden").write_bytes(b"SECRET hidden")
    (folder / "link.vpk").symlink_to(tmp_path / "secret.txt")
    for target in ESCAPES:
        header, body = download(target)
        assert status_of(header) == 400, target
        assert b"SECRET" not in body, target
    for target in ("/packages/link.vpk", "/get.aspx?file=link.vpk", "/packages/sub",
                   "http://127.10.4.1/packages/../secret.txt"):
        header, body = download(target)
        assert status_of(header) == 404, target
        assert b"SECRET" not in body, target
    assert {d.kind for d in download_service.deliveries("A")} == {"refused", "not found"}


# ---- behaviours ------------------------------------------------------------------
def test_cut_short_body_ends_before_content_length(download_service):
    download_service.add_package(PACKAGE, SMALL)
    download_service.configure("A", cut_after=1000)
    header, body = download(f"/packages/{PACKAGE}")
    assert header_value(header, "Content-Length") == "5000"
    assert body == SMALL[:1000]
    delivery = download_service.wait_delivery("A")
    assert (delivery.length, delivery.sent, delivery.end) == (5000, 1000, "cut")

    download_service.configure("A", cut_after=None)
    assert download(f"/packages/{PACKAGE}")[1] == SMALL


def test_throttled_body_goes_out_in_small_writes_that_a_test_can_watch(download_service):
    download_service.add_package(PACKAGE, SMALL)
    download_service.configure("A", rate=10_000)   # writes of at most a tenth of the rate
    connection, header = open_download(f"/packages/{PACKAGE}")
    with connection:
        midway = download_service.wait_delivery("A", lambda d: 0 < d.sent < d.length)
        assert midway.state == "sending" and not midway.finished
        assert read_all(connection) == SMALL
    delivery = download_service.wait_delivery("A")
    assert (delivery.sent, delivery.end) == (5000, "complete")
    assert len(delivery.writes) >= 5 and max(delivery.writes) <= 1000 and sum(delivery.writes) == 5000


@pytest.mark.parametrize("stall_after, ended_by", [(500, "client"), (0, "host"), (5000, "client")])
def test_stall_sends_nothing_more_until_the_client_or_the_host_ends_it(download_service, stall_after, ended_by):
    download_service.add_package(PACKAGE, SMALL)
    download_service.configure("A", stall_after=stall_after)
    connection, header = open_download(f"/packages/{PACKAGE}")
    with connection:
        assert header_value(header, "Content-Length") == "5000"
        assert read_all(connection, stall_after) == SMALL[:stall_after]
        stalled = download_service.wait_delivery("A", lambda d: d.stalled)
        assert (stalled.sent, stalled.stalled_at) == (stall_after, stall_after)
        if ended_by == "host":
            download_service.configure("A", down=True)
            assert connection.recv(1) == b""
    delivery = download_service.wait_delivery("A")
    assert (delivery.sent, delivery.end) == (stall_after, "client closed" if ended_by == "client" else "host closed")


def test_stall_for_a_while_then_the_rest_follows(download_service):
    download_service.add_package(PACKAGE, SMALL)
    download_service.configure("A", stall_after=2000, stall_seconds=0.3)
    assert download(f"/packages/{PACKAGE}")[1] == SMALL
    delivery = download_service.wait_delivery("A")
    assert (delivery.stalled_at, delivery.sent, delivery.end) == (2000, 5000, "complete")


@pytest.mark.parametrize("settings, status_line, length, body", [
    (dict(status=503), b"HTTP/1.1 503 Service Unavailable", "5000", SMALL),
    (dict(status=500, body=b"<html>Server Error</html>"), b"HTTP/1.1 500 Internal Server Error", "25",
     b"<html>Server Error</html>"),
    (dict(status=299), b"HTTP/1.1 299 Unknown", "5000", SMALL),
    (dict(content_length=None), b"HTTP/1.1 200 OK", None, SMALL),
    (dict(content_length=99_999), b"HTTP/1.1 200 OK", "99999", SMALL),     # announced more than sent
    (dict(content_length=12), b"HTTP/1.1 200 OK", "12", SMALL),            # sent more than announced
    (dict(content_length="5k"), b"HTTP/1.1 200 OK", "5k", SMALL),
])
def test_package_answer_as_configured(download_service, settings, status_line, length, body):
    download_service.add_package(PACKAGE, SMALL)
    download_service.configure("A", **settings)
    header, got = download(f"/packages/{PACKAGE}")
    assert header.split(b"\r\n", 1)[0] == status_line
    assert header_value(header, "Content-Length") == length
    assert got == body


def test_body_set_for_the_host_serves_any_package_name_and_extra_headers_lead(download_service):
    download_service.configure("A", body=b"not a zip", headers=(("X-Content-Length-Note", "7"),))
    header, body = download("/packages/Anything.vpk")
    assert header.startswith(b"HTTP/1.1 200 OK\r\nX-Content-Length-Note: 7\r\n")
    assert body == b"not a zip"
    assert status_of(download("/get.aspx?file=Anything.vpk")[0]) == 302


def test_drop_raw_and_delay(download_service):
    download_service.add_package(PACKAGE, SMALL)
    download_service.configure("A", drop=True)
    assert download(f"/packages/{PACKAGE}") == (b"", b"")
    assert download_service.wait_delivery("A", index=0).end == "dropped"

    raw = b"HTTP/1.1 200 OK\r\nContent-Len"   # a header that never ends
    download_service.configure("A", drop=False, raw=raw)
    connection, header = open_download(f"/packages/{PACKAGE}")
    with connection:
        assert header + read_all(connection) == raw
    assert (download_service.wait_delivery("A", index=1).sent, download_service.deliveries("A")[1].kind) == (
        len(raw), "raw")

    # A delayed answer that the host's going down releases: nothing is sent.
    download_service.configure("A", raw=None, delay=600)
    connection, _ = open_download(f"/packages/{PACKAGE}", read_header_too=False)
    with connection:
        download_service.wait_requests("A", 3, timeout=10)
        download_service.configure("A", down=True)
        assert connection.recv(1) == b""
    delivery = download_service.wait_delivery("A", index=2)
    assert (delivery.state, delivery.end, delivery.header) == ("ended", "host closed", b"")


def test_down_host_refuses_and_comes_back(download_service):
    download_service.add_package(PACKAGE, SMALL)
    download_service.configure("A", down=True)
    with pytest.raises(ConnectionRefusedError):
        download(f"/packages/{PACKAGE}")
    download_service.configure("A", down=False)
    assert download(f"/packages/{PACKAGE}")[1] == SMALL


def test_a_second_host_serves_the_same_folder(tmp_path):
    service = DownloadService({"A": "127.10.4.1", "B": "127.10.4.2"}, tmp_path, port=8081).start()
    try:
        service.add_package(PACKAGE, SMALL)
        with urllib.request.urlopen(service.redirect_url(PACKAGE, "B"), timeout=30) as reply:
            assert reply.geturl() == f"http://127.10.4.2:8081/packages/{PACKAGE}"
            assert reply.read() == SMALL
        assert service.requests("A") == [] and len(service.requests("B")) == 2
    finally:
        service.stop()


# ---- run.py --------------------------------------------------------------------
def test_run_py_starts_the_download_service_with_the_others(tmp_path, build_dir):
    config = json.loads((REPO / "counterparts" / "services" / "dev.json").read_text(encoding="utf-8"))
    assert config["download"]["hosts"] == {"A": {}}
    config["download"]["folder"] = str(tmp_path / "packages")
    (tmp_path / "services.json").write_text(json.dumps(config), encoding="utf-8")
    process = subprocess.Popen(
        [sys.executable, str(REPO / "counterparts" / "services" / "run.py"), "--config", str(tmp_path / "services.json"),
         "--deployment", str(build_dir / "generated" / "deployment.json")],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    lines = queue.Queue()
    threading.Thread(target=lambda: [lines.put(line.rstrip("\n")) for line in process.stdout], daemon=True).start()

    def lines_until(wanted):
        seen = []
        while wanted not in seen:
            try:
                seen.append(lines.get(timeout=60))
            except queue.Empty:
                pytest.fail(f"run.py printed no {wanted!r}; it printed {seen}")
        return seen

    try:
        started = lines_until("serving; Ctrl-C stops")
        assert any(line.startswith("  download host A: http://127.10.4.1/packages/<name>") for line in started)
        assert any(line.startswith("  host A: http://127.10.1.1:8080/") for line in started), "update info"
        assert (tmp_path / "packages").is_dir()
        (tmp_path / "packages" / PACKAGE).write_bytes(SMALL)
        assert download(f"/packages/{PACKAGE}")[1] == SMALL
        # The update-info service names the package on the download host.
        with urllib.request.urlopen("http://127.10.1.1:8080/LoginPacketN/WebForm1.aspx?ver=1", timeout=30) as reply:
            named = re.search(rb"<Url>(.*)</Url>", reply.read()).group(1).decode()
        assert named == f"http://{DOWNLOAD_HOST}/packages/{PACKAGE}"
        with urllib.request.urlopen(named, timeout=30) as reply:
            assert reply.read() == SMALL
    finally:
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
        code = process.wait(timeout=60)
    assert code == 0
    printed = lines_until("stopped")
    assert any(f"download host A GET /packages/{PACKAGE} -> 200" in line for line in printed), printed
