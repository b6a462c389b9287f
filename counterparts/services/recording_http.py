"""The base of every counterpart HTTP service: one listening socket per
simulated host, each request recorded exactly as it arrived (the request
target stays raw, nothing unescaped), and a service object that answers.

A host can be taken down (its socket closed, so a client is refused) and
brought up again while the service runs. Answers that a service delays wait
on the host's stop event, so stopping never hangs on a slow answer.

A host may listen on more than one port, and may speak TLS (an ssl server
context): the handshake runs on the connection's own thread. A connection
that ends without a request (a failed handshake, or a client that checks the
certificate after the handshake and then hangs up) is recorded as an
EmptyConnection, since the request log never shows it."""
import http.server
import ssl
import threading
import time
from dataclasses import dataclass, field


@dataclass(frozen=True)
class RecordedRequest:
    host: str                 # name of the simulated host that received it ("A", "B", ...)
    address: str              # the address it was sent to
    method: str
    target: str               # request target exactly as sent: path and raw query (bytes as latin-1)
    http_version: str
    headers: tuple            # (name, value) pairs in order of arrival
    body: bytes
    time: float               # time.time() when it was read
    client: tuple = field(default=("", 0))
    port: int = 0             # the port it arrived on
    secure: bool = False      # it came over TLS

    @property
    def raw_target(self):
        """The request target's bytes as they came over the wire."""
        return self.target.encode("latin-1")

    @property
    def path(self):
        return self.target.split("?", 1)[0]

    @property
    def query(self):
        """The raw text after the first "?" (empty when there is none)."""
        return self.target.split("?", 1)[1] if "?" in self.target else ""

    def header(self, name):
        """The first value of a header (case-insensitive name), or None."""
        for key, value in self.headers:
            if key.lower() == name.lower():
                return value
        return None


@dataclass(frozen=True)
class EmptyConnection:
    """A connection that ended before a request was read from it."""
    host: str
    port: int
    secure: bool
    reason: str           # "TLS handshake failed: ..." or "closed before a request"
    time: float
    client: tuple = field(default=("", 0))


class RequestLog:
    """The requests of one host, in order of arrival; tests wait on it."""

    def __init__(self):
        self._items = []
        self._changed = threading.Condition()

    def append(self, request):
        with self._changed:
            self._items.append(request)
            self._changed.notify_all()

    def all(self):
        with self._changed:
            return list(self._items)

    def clear(self):
        with self._changed:
            self._items.clear()

    def wait(self, count, timeout):
        """Waits until at least count requests have arrived; returns them all.
        Raises TimeoutError after timeout seconds."""
        with self._changed:
            if not self._changed.wait_for(lambda: len(self._items) >= count, timeout):
                raise TimeoutError(f"{len(self._items)} of {count} requests after {timeout}s")
            return list(self._items)


class RecordingHandler(http.server.BaseHTTPRequestHandler):
    """Records each well-formed request, then lets the service answer it."""
    server_version = "VantorCounterpart/1.0"
    TLS_HANDSHAKE_TIMEOUT = 30

    def version_string(self):
        return self.server_version

    def handle(self):
        self.recorded = None
        secure = isinstance(self.connection, ssl.SSLSocket)
        if secure:
            try:
                self.connection.settimeout(self.TLS_HANDSHAKE_TIMEOUT)
                self.connection.do_handshake()
                self.connection.settimeout(None)
            except (ssl.SSLError, OSError) as error:
                self.close_connection = True
                self._record_empty(secure, f"TLS handshake failed: {error}")
                return
        try:
            super().handle()
        except (ssl.SSLError, ConnectionError) as error:
            self.close_connection = True
            if self.recorded is None:
                self._record_empty(secure, f"failed before a request: {error}")
            return
        if self.recorded is None:
            self._record_empty(secure, "closed before a request")

    def _record_empty(self, secure, reason):
        host = self.server.served_host
        host.empty_connections.append(EmptyConnection(host.name, self.server.server_address[1], secure, reason,
                                                      time.time(), tuple(self.client_address)))

    def parse_request(self):
        if not super().parse_request():
            return False
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length > 0 else b""
        host = self.server.served_host
        self.recorded = RecordedRequest(
            host=host.name, address=host.address, method=self.command, target=self.path,
            http_version=self.request_version, headers=tuple(self.headers.items()), body=body,
            time=time.time(), client=tuple(self.client_address), port=self.server.server_address[1],
            secure=isinstance(self.connection, ssl.SSLSocket))
        host.log.append(self.recorded)
        return True

    def _dispatch(self):
        self.server.served_host.service.respond(self.server.served_host, self)

    do_GET = do_POST = do_HEAD = do_PUT = do_DELETE = _dispatch

    def send_reply(self, status, body, content_type="text/html; charset=gb2312", headers=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Connection", "close")
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)
        self.close_connection = True
        self.server.served_host.answers.append((time.time(), self.path, status, len(body)))

    def drop(self):
        """Ends the connection without an answer."""
        self.close_connection = True
        self.server.served_host.answers.append((time.time(), self.path, "dropped", 0))

    def log_message(self, format, *args):  # noqa: A002 - the base class's name
        pass


class _Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True   # TIME_WAIT only; two listeners on one port still fail

    def get_request(self):
        connection, address = super().get_request()
        context = self.served_host.tls   # read per connection: a host can change its certificate
        if context is not None:
            # The handshake waits for the handler's thread, so that a silent
            # client cannot hold up the accepting loop.
            connection = context.wrap_socket(connection, server_side=True, do_handshake_on_connect=False)
        return connection, address


class ServedHost:
    """One simulated host: a name, an address and port(s), its request log, and
    listening sockets that can be opened and closed while the service runs.
    tls: an ssl server context (the host speaks only TLS), or None (plain HTTP)."""

    def __init__(self, service, name, address, port, tls=None, extra_ports=()):
        self.service = service
        self.name = name
        self.address = address
        self.port = port
        self.ports = (port, *extra_ports)
        self.tls = tls
        self.log = RequestLog()
        self.empty_connections = RequestLog()   # EmptyConnection records
        self.answers = RequestLog()   # (time, target, status or "dropped", body length)
        self.stopping = threading.Event()
        self._servers = []   # (server, thread), one per port
        self._lock = threading.Lock()

    @property
    def listening(self):
        return bool(self._servers)

    def url(self, path=""):
        return f"{'https' if self.tls else 'http'}://{self.address}:{self.port}{path}"

    def listen(self):
        with self._lock:
            if self._servers:
                return
            self.stopping.clear()
            for port in self.ports:
                try:
                    server = _Server((self.address, port), RecordingHandler)
                except OSError as error:
                    self._close_servers()
                    raise OSError(error.errno, f"host {self.name}: cannot listen on {self.address}:{port}: "
                                               f"{error.strerror} (does another counterpart run already?)") from None
                server.served_host = self
                thread = threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.05},
                                          name=f"host {self.name} {self.address}:{port}", daemon=True)
                self._servers.append((server, thread))
                thread.start()

    def close(self):
        """Stops listening: new connections are refused. Delayed answers still
        waiting are released and dropped."""
        with self._lock:
            self._close_servers()

    def _close_servers(self):
        servers, self._servers = self._servers, []
        if not servers:
            return
        self.stopping.set()
        for server, thread in servers:
            server.shutdown()
            server.server_close()
            thread.join(timeout=10)

    def pause(self, seconds):
        """Waits seconds before an answer; False when the host closed meanwhile."""
        return not self.stopping.wait(seconds) if seconds > 0 else True


class RecordingService:
    """A service on one or more hosts. Subclasses answer in respond()."""

    def __init__(self, hosts, port, tls=None, extra_ports=()):
        """hosts: {name: address}; tls and extra_ports as ServedHost takes them."""
        self.hosts = {name: ServedHost(self, name, address, port, tls, extra_ports)
                      for name, address in hosts.items()}
        self.observers = []   # callables (host name, RecordedRequest, status, what) after each answer

    def host(self, name):
        return self.hosts[name]

    def start(self):
        try:
            for host in self.hosts.values():
                host.listen()
        except OSError:
            self.stop()
            raise
        return self

    def stop(self):
        for host in self.hosts.values():
            host.close()

    def requests(self, name=None):
        """Recorded requests of one host, or of all hosts in order of arrival."""
        if name is not None:
            return self.hosts[name].log.all()
        return sorted((r for h in self.hosts.values() for r in h.log.all()), key=lambda r: r.time)

    def wait_requests(self, name, count, timeout):
        """Waits until host name has received at least count requests; returns them."""
        return self.hosts[name].log.wait(count, timeout)

    def respond(self, host, handler):
        raise NotImplementedError

    def notify(self, host_name, request, status, what):
        """Tells every observer how a request was answered."""
        for observe in list(self.observers):
            observe(host_name, request, status, what)

    def journal(self):
        """Lines of what each host received and answered, in time order: the
        service's side of a test that went wrong."""
        events = []
        for host in self.hosts.values():
            for r in host.log.all():
                events.append((r.time, f"{host.name} {host.address}:{r.port} received {r.method} {r.target}"))
            for when, target, status, length in host.answers.all():
                events.append((when, f"{host.name} answered {status} ({length} bytes) to {target}"))
            for c in host.empty_connections.all():
                events.append((c.time, f"{host.name} :{c.port} connection without a request: {c.reason}"))
        return [f"{time.strftime('%H:%M:%S', time.localtime(t))}.{int(t % 1 * 1000):03d} {text}"
                for t, text in sorted(events)]


class ConfigurableService(RecordingService):
    """A service whose hosts each have a behaviour (a dataclass with at least a
    field down) that tests change while it runs. A host that is down does not
    listen; bringing it up again listens at once when the service is started."""

    def __init__(self, hosts, port, behaviour_type, tls=None, extra_ports=()):
        super().__init__(hosts, port, tls, extra_ports)
        self._lock = threading.Lock()
        self._behaviour = {name: behaviour_type() for name in self.hosts}
        self._started = False

    def behaviour(self, name):
        with self._lock:
            return self._behaviour[name]

    def _change_behaviour(self, name, change):
        """Replaces host name's behaviour by change(current) and opens or closes
        its sockets to match."""
        with self._lock:
            behaviour = change(self._behaviour[name])
            self._behaviour[name] = behaviour
        host = self.hosts[name]
        if behaviour.down:
            host.close()
        elif self._started:
            host.listen()

    def configure_hosts(self, hosts, text_fields=("body",)):
        """Sets each host's behaviour from a configuration's "hosts" section
        ({name: {field: value}}): the text of text_fields becomes GBK bytes."""
        for name, settings in (hosts or {}).items():
            settings = {key: value.encode("gbk") if key in text_fields and isinstance(value, str) else value
                        for key, value in settings.items()}
            self.configure(name, **settings)
        return self

    def start(self):
        self._started = True
        for name, host in self.hosts.items():
            if not self.behaviour(name).down:
                host.listen()
        return self

    def stop(self):
        self._started = False
        super().stop()
