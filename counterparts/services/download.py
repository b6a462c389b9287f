"""The package download service: serves the update packages of one folder
on port 80 of the download host, plain HTTP:

    GET  /packages/<name>            the package's bytes, with Content-Length
    HEAD /packages/<name>            the same header, no body
    GET  /get.aspx?file=<name>       302, Location http://<host>/packages/<name>

The updater resolves the address it was given through the system's HTTP
stack, which follows the redirect, and then fetches the final address with
its own socket client, which reads the header up to the blank line and then
exactly Content-Length body bytes. Every answer therefore carries
"Connection: close" and ends the connection after its body.

Names: one round of percent-decoding, then only letters, digits and "_", ".",
"+", "-" (not starting with "." and without "..") name a package; anything
else (slashes, backslashes, "..", drive letters, encoded separators, a "%"
left after decoding) answers 400 and never touches the file system. A valid
name is served only when it is a plain file directly in the folder: a
symbolic link that leads out of the folder counts as missing (404). A query
after a package path is ignored; a Range header is ignored (the whole
package, 200).

Each host can be set apart, also while the service runs (`configure`): down,
a delay before the answer, a closed connection without an answer, raw bytes
in place of an answer, and for package answers another status, another body,
a wrong or missing Content-Length, extra headers, a throttled body or header
(bytes per second), a body cut short (connection closed before Content-Length is
reached) and a stall (nothing more sent after N body bytes, for a while or
until the client hangs up), each also for one User-Agent alone. The redirect
can name another Location.

Besides the request log of the base, the service keeps a Delivery for every
request: the header bytes it sent, the body bytes written (updated while a
slow answer goes out) and how the answer ended."""
import http
import re
import select
import socket
import threading
import time
from dataclasses import dataclass, field, replace
from email.utils import formatdate
from pathlib import Path
from urllib.parse import quote, unquote

from .deployment import REPO
from .recording_http import ConfigurableService, RecordingHandler

DOWNLOAD_PORT = 80
PACKAGES_PREFIX = "/packages/"
REDIRECT_PATH = "/get.aspx"
REDIRECT_FIELD = "file"
DEFAULT_FOLDER = REPO / "build" / "packages"

PACKAGE_NAME_RULE = re.compile(r"[A-Za-z0-9_][A-Za-z0-9_.+-]{0,199}")
WRITE_CHUNK = 64 * 1024      # body bytes per write when not throttled
POLL_SECONDS = 0.05          # how often a waiting answer looks at its host and client

NOT_FOUND_PAGE = b"<html><body><h1>404 Not Found</h1></body></html>\r\n"
BAD_REQUEST_PAGE = b"<html><body><h1>400 Bad Request</h1></body></html>\r\n"
NOT_ALLOWED_PAGE = b"<html><body><h1>405 Method Not Allowed</h1></body></html>\r\n"
MOVED_PAGE = b"<html><body><h1>Object moved</h1></body></html>\r\n"

# How a delivery can end.
COMPLETE, CUT, CLIENT_CLOSED, HOST_CLOSED, DROPPED, FAILED = (
    "complete", "cut", "client closed", "host closed", "dropped", "failed")


@dataclass(frozen=True)
class HostBehaviour:
    down: bool = False              # not listening: connections are refused
    delay: float = 0.0              # seconds before any answer (a host that closes meanwhile answers nothing)
    drop: bool = False              # read the request, then close without an answer
    raw: bytes | None = None        # send exactly these bytes to any request, then close
    # Package answers (GET or HEAD of /packages/<name>):
    status: int = 200               # the status line's code; the body stays the package
    body: bytes | None = None       # served in place of any package, named or not, existing or not
    content_length: object = "auto"  # "auto": the body's size; None: no header; else sent as given
    headers: tuple = ()             # extra (name, value) pairs, right after the status line
    rate: int = 0                   # body bytes per second; 0: as fast as the client takes them
    header_rate: int = 0            # header bytes per second (a trickling host); 0: at once
    cut_after: int | None = None    # close the connection after this many body bytes
    stall_after: int | None = None  # after this many body bytes (0: right after the header) send nothing...
    stall_seconds: float | None = None  # ...for this long, then the rest; None: until the client or host ends it
    # Whom these settings are for (down aside): None, every request; else only requests
    # with this User-Agent, and every other request gets the plain answer.
    agent: str | None = None
    # The redirect address:
    redirect_status: int = 302
    location: str | None = None     # Location in place of the package's own address; "{name}" is replaced

    def __post_init__(self):
        for name in ("rate", "header_rate", "cut_after", "stall_after"):
            value = getattr(self, name)
            if value is not None and (not isinstance(value, int) or value < 0):
                raise ValueError(f"{name} must be a whole number of bytes >= 0, not {value!r}")
        if self.cut_after is not None and self.stall_after is not None:
            raise ValueError("cut_after and stall_after exclude each other")
        if isinstance(self.content_length, str) and self.content_length != "auto" and (
                "\r" in self.content_length or "\n" in self.content_length):
            raise ValueError("content_length text must not hold a line break")
        if self.content_length is not None and not isinstance(self.content_length, (str, int)):
            raise ValueError(f"content_length must be 'auto', None, a number or a text, not {self.content_length!r}")
        for pair in self.headers:
            if len(pair) != 2:
                raise ValueError(f"headers must be (name, value) pairs, not {pair!r}")


@dataclass
class Delivery:
    """What the service sent for one request. The service hands out copies."""
    host: str
    request: object                 # the RecordedRequest it answers
    kind: str = "waiting"           # "package", "redirect", "not found", "refused", "not allowed", "raw", "dropped"
    status: int | None = None       # code of the status line sent; None when no status line went out
    name: str | None = None         # the package name the request named, when it named a valid one
    header: bytes = b""             # the header as sent, status line to the blank line
    length: int = 0                 # body bytes the answer carries in full
    sent: int = 0                   # body bytes written so far (for "raw": the raw bytes)
    writes: tuple = ()              # the size of each body write, in order
    state: str = "waiting"          # "waiting" (delay), "sending", "stalled", "ended"
    stalled_at: int | None = None   # body bytes sent when a stall began
    end: str | None = None          # COMPLETE, CUT, CLIENT_CLOSED, HOST_CLOSED, DROPPED or FAILED once ended
    started: float = field(default_factory=time.time)
    ended: float | None = None

    @property
    def target(self):
        return self.request.target

    @property
    def finished(self):
        return self.end is not None

    @property
    def stalled(self):
        return self.state == "stalled"


@dataclass(frozen=True)
class Answer:
    """An answer as the service decides it, before it goes out."""
    kind: str
    status: int
    headers: tuple       # (name, value) pairs after the status line
    body: bytes          # the full body (empty for HEAD)
    what: str
    name: str | None = None


def package_name(raw):
    """The package name that a raw path segment or query value gives, or None
    when it names nothing the folder may hold."""
    try:
        name = unquote(raw, errors="strict")
    except UnicodeDecodeError:
        return None
    if not PACKAGE_NAME_RULE.fullmatch(name) or ".." in name:
        return None
    return name


def query_field(query, wanted):
    """The raw value of the first field named wanted in a raw query text, or None."""
    for part in query.split("&"):
        name, equals, value = part.partition("=")
        if name == wanted and equals:
            return value
    return None


def status_line(status):
    try:
        reason = http.HTTPStatus(status).phrase
    except ValueError:
        reason = "Unknown"
    return f"HTTP/1.1 {status} {reason}\r\n"


def header_bytes(status, headers):
    text = status_line(status) + "".join(f"{name}: {value}\r\n" for name, value in headers) + "\r\n"
    return text.encode("latin-1")


class DownloadService(ConfigurableService):
    """Download host "A" (and more if given) on port 80, serving one folder."""

    def __init__(self, hosts, folder, port=DOWNLOAD_PORT):
        super().__init__(hosts, port, HostBehaviour)
        self.folder = Path(folder)
        self._deliveries = {name: [] for name in self.hosts}
        self._delivered = threading.Condition()

    @classmethod
    def on_deployment(cls, deployment, folder, port=DOWNLOAD_PORT):
        return cls({"A": deployment["download_host"]}, folder, port)

    # ---- settings and the folder ------------------------------------------
    def configure(self, name, **changes):
        """Changes how host name answers from now on (HostBehaviour fields).
        Taking a host down closes its socket; bringing it up listens again."""
        self._change_behaviour(name, lambda current: replace(current, **changes))

    def add_package(self, name, content):
        """Puts a package into the folder: content is bytes or the path of a
        file to copy. Returns its path."""
        if package_name(name) != name:
            raise ValueError(f"{name!r} cannot be a package name")
        data = content if isinstance(content, (bytes, bytearray)) else Path(content).read_bytes()
        self.folder.mkdir(parents=True, exist_ok=True)
        path = self.folder / name
        path.write_bytes(data)
        return path

    def package_path(self, name):
        """The file that serves name: a plain file directly in the folder, or None."""
        if name is None or package_name(name) != name:
            return None
        try:
            path = (self.folder / name).resolve(strict=True)
        except OSError:
            return None
        if path.parent != self.folder.resolve() or not path.is_file():
            return None
        return path

    def base_url(self, host="A"):
        served = self.hosts[host]
        return f"http://{served.address}" + ("" if served.port == 80 else f":{served.port}")

    def url(self, name, host="A"):
        """The package's own address on a host."""
        return f"{self.base_url(host)}{PACKAGES_PREFIX}{quote(name)}"

    def redirect_url(self, name, host="A"):
        """The redirecting address of a package on a host."""
        return f"{self.base_url(host)}{REDIRECT_PATH}?{REDIRECT_FIELD}={quote(name)}"

    # ---- what was sent ----------------------------------------------------
    def deliveries(self, name=None):
        """Copies of the deliveries of one host, or of all hosts, in order of start."""
        with self._delivered:
            found = [replace(d) for host in ([name] if name else self.hosts) for d in self._deliveries[host]]
        return sorted(found, key=lambda d: d.started)

    def wait_delivery(self, name, condition=lambda d: d.finished, timeout=30, index=None):
        """Waits until a delivery of host name satisfies condition (default: it
        has ended); returns a copy of the first that does. index: look only at
        the delivery of that position (0 the first). TimeoutError after timeout."""
        def match():
            candidates = self._deliveries[name]
            if index is not None:
                candidates = candidates[index:index + 1]
            return next((replace(d) for d in candidates if condition(d)), None)
        with self._delivered:
            found = self._delivered.wait_for(match, timeout)
            if found is None:
                states = [(d.target, d.state, d.end, d.sent) for d in self._deliveries[name]]
                raise TimeoutError(f"no delivery of host {name} as awaited after {timeout}s: {states}")
            return found

    def _update(self, delivery, **changes):
        with self._delivered:
            for key, value in changes.items():
                setattr(delivery, key, value)
            self._delivered.notify_all()

    def _wrote(self, delivery, count):
        with self._delivered:
            delivery.sent += count
            delivery.writes += (count,)
            self._delivered.notify_all()

    # ---- deciding ---------------------------------------------------------
    def answer(self, host, request, behaviour=None):
        """The Answer to a recorded request at a host, by its target and the host's behaviour."""
        behaviour = behaviour or self.behaviour(host.name)
        if request.method not in ("GET", "HEAD"):
            return self._page("not allowed", 405, NOT_ALLOWED_PAGE, request, f"{request.method} not served",
                              (("Allow", "GET, HEAD"),))
        if request.path == REDIRECT_PATH:
            return self._redirect(host, request, behaviour)
        if request.path.startswith(PACKAGES_PREFIX):
            name = package_name(request.path[len(PACKAGES_PREFIX):])
            if name is None:
                return self._page("refused", 400, BAD_REQUEST_PAGE, request, "refused: not a package name")
            return self._package(name, request, behaviour)
        return self._page("not found", 404, NOT_FOUND_PAGE, request, "not a download address")

    def _page(self, kind, status, page, request, what, extra=(), name=None):
        headers = (*self._common_headers(), ("Content-Type", "text/html"), *extra,
                   ("Content-Length", str(len(page))), ("Connection", "close"))
        return Answer(kind, status, headers, b"" if request.method == "HEAD" else page, what, name)

    def _redirect(self, host, request, behaviour):
        raw = query_field(request.query, REDIRECT_FIELD)
        name = package_name(raw) if raw is not None else None
        if name is None:
            return self._page("refused", 400, BAD_REQUEST_PAGE, request, "refused: no package name to redirect to")
        if behaviour.body is None and self.package_path(name) is None:
            return self._page("not found", 404, NOT_FOUND_PAGE, request, f"no package {name}", name=name)
        location = (behaviour.location.replace("{name}", quote(name)) if behaviour.location is not None
                    else self.url(name, host.name))
        return self._page("redirect", behaviour.redirect_status, MOVED_PAGE, request, f"redirect to {location}",
                          (("Location", location),), name)

    def _package(self, name, request, behaviour):
        if behaviour.body is not None:
            data, what = bytes(behaviour.body), f"body set in place of {name}"
        else:
            path = self.package_path(name)
            try:
                data = path.read_bytes() if path else None
            except OSError:
                data = None
            if data is None:
                return self._page("not found", 404, NOT_FOUND_PAGE, request, f"no package {name}", name=name)
            what = f"package {name}"
        headers = [*behaviour.headers, *self._common_headers(), ("Content-Type", "application/octet-stream")]
        if behaviour.content_length == "auto":
            headers.append(("Content-Length", str(len(data))))
        elif behaviour.content_length is not None:
            headers.append(("Content-Length", str(behaviour.content_length)))
        headers.append(("Connection", "close"))
        return Answer("package", behaviour.status, tuple(headers), b"" if request.method == "HEAD" else data,
                      what, name)

    @staticmethod
    def _common_headers():
        return (("Server", RecordingHandler.server_version), ("Date", formatdate(usegmt=True)))

    # ---- answering --------------------------------------------------------
    def respond(self, host, handler):
        request = handler.recorded
        handler.close_connection = True
        behaviour = self.behaviour(host.name)
        if behaviour.agent is not None and request.header("User-Agent") != behaviour.agent:
            behaviour = HostBehaviour()
        delivery = Delivery(host.name, request)
        with self._delivered:
            self._deliveries[host.name].append(delivery)
            self._delivered.notify_all()
        what = ""
        try:
            what = self._deliver(host, handler.connection, request, behaviour, delivery)
        finally:
            if delivery.end is None:   # an unexpected error on the way; the base reports it
                self._finish(delivery, FAILED)
            status = delivery.status if delivery.status is not None else delivery.kind
            host.answers.append((time.time(), request.target, f"{status} {delivery.end}", delivery.sent))
            self.notify(host.name, request, status,
                        f"{what}: {delivery.sent} of {delivery.length} bytes, {delivery.end}")

    def _deliver(self, host, connection, request, behaviour, delivery):
        """Sends the answer; returns what it was. Ends the delivery."""
        if not host.pause(behaviour.delay):
            self._finish(delivery, HOST_CLOSED)
            return "host closed while the answer waited"
        connection.setblocking(False)   # every wait below also watches the host
        if behaviour.drop:
            self._update(delivery, kind="dropped")
            self._finish(delivery, DROPPED)
            return "closed without an answer"
        if behaviour.raw is not None:
            self._update(delivery, kind="raw", length=len(behaviour.raw), state="sending")
            self._finish(delivery, self._write(host, connection, behaviour.raw, delivery) or COMPLETE)
            return "raw bytes"

        answer = self.answer(host, request, behaviour)
        header = header_bytes(answer.status, answer.headers)
        self._update(delivery, kind=answer.kind, status=answer.status, name=answer.name, header=header,
                     length=len(answer.body), state="sending")
        end = self._write(host, connection, header, rate=behaviour.header_rate)
        if end:
            self._finish(delivery, end)
            return answer.what
        body = answer.body
        if answer.kind != "package":
            end = self._write(host, connection, body, delivery) or COMPLETE
        elif behaviour.stall_after is not None:
            end = self._write(host, connection, body[:behaviour.stall_after], delivery, behaviour.rate)
            if not end:
                self._update(delivery, state="stalled", stalled_at=delivery.sent)
                end = self._stall(host, connection, behaviour.stall_seconds)
            if not end:
                self._update(delivery, state="sending")
                end = self._write(host, connection, body[behaviour.stall_after:], delivery, behaviour.rate)
            end = end or COMPLETE
        elif behaviour.cut_after is not None and behaviour.cut_after < len(body):
            end = self._write(host, connection, body[:behaviour.cut_after], delivery, behaviour.rate) or CUT
        else:
            end = self._write(host, connection, body, delivery, behaviour.rate) or COMPLETE
        self._finish(delivery, end)
        return answer.what

    def _finish(self, delivery, end):
        self._update(delivery, state="ended", end=end, ended=time.time())

    def _write(self, host, connection, data, delivery=None, rate=0):
        """Writes data, at most rate bytes per second when rate is set, counting
        body bytes into delivery. None when all went out; otherwise the end
        (CLIENT_CLOSED or HOST_CLOSED)."""
        view = memoryview(data)
        chunk = max(1, min(WRITE_CHUNK, rate // 10)) if rate else WRITE_CHUNK
        started, done = time.monotonic(), 0
        while done < len(view):
            if rate and not host.pause(started + done / rate - time.monotonic()):
                return HOST_CLOSED
            try:
                count = connection.send(view[done:done + chunk])
            except BlockingIOError:
                count = 0
            except OSError:
                return CLIENT_CLOSED
            if count == 0:
                if host.stopping.is_set():
                    return HOST_CLOSED
                select.select([], [connection], [], POLL_SECONDS)
                continue
            done += count
            if delivery is not None:
                self._wrote(delivery, count)
        return None

    def _stall(self, host, connection, seconds):
        """Sends nothing for seconds (None: without end). None when the stall is
        over; CLIENT_CLOSED or HOST_CLOSED when one of them ended it."""
        until = None if seconds is None else time.monotonic() + seconds
        while True:
            wait = POLL_SECONDS if until is None else min(POLL_SECONDS, until - time.monotonic())
            if wait <= 0:
                return None
            if host.stopping.wait(wait):
                return HOST_CLOSED
            if client_gone(connection):
                return CLIENT_CLOSED

    def describe(self):
        count = sum(1 for p in self.folder.iterdir() if p.is_file()) if self.folder.is_dir() else 0
        lines = [f"download service: {count} package(s) in {self.folder}"]
        for name, host in self.hosts.items():
            state = "down" if self.behaviour(name).down else "up"
            lines.append(f"  download host {name}: {self.base_url(name)}{PACKAGES_PREFIX}<name>, "
                         f"redirect {self.base_url(name)}{REDIRECT_PATH}?{REDIRECT_FIELD}=<name> ({state})")
        return lines


def client_gone(connection):
    """Whether the peer of a non-blocking socket has closed or reset it; data
    it sent meanwhile stays unread."""
    try:
        readable, _, _ = select.select([connection], [], [], 0)
        return bool(readable) and connection.recv(1, socket.MSG_PEEK) == b""
    except BlockingIOError:
        return False
    except OSError:
        return True


def from_config(section, deployment):
    """The service as a configuration's "download" section sets it up:
    "folder" (relative to the repository; created if missing, default
    build/packages) and "hosts": {"A": {...}} with HostBehaviour fields
    (body and raw as text, headers as [name, value] lists)."""
    section = dict(section or {})
    folder = Path(section.get("folder") or DEFAULT_FOLDER)
    folder = folder if folder.is_absolute() else REPO / folder
    folder.mkdir(parents=True, exist_ok=True)
    hosts = {name: {**settings, "headers": tuple(tuple(pair) for pair in settings["headers"])}
             if "headers" in settings else settings
             for name, settings in section.get("hosts", {}).items()}
    return DownloadService.on_deployment(deployment, folder).configure_hosts(hosts, text_fields=("body", "raw"))
