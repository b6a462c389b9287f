"""A real download server beside our own: Debian's nginx (/usr/sbin/nginx,
package nginx-light) run in the foreground on one loopback address, serving
one folder of update packages:

    GET  /packages/<name>            the file, with Content-Length (sendfile, never chunked)
    GET  /get.aspx?file=<name>       302, Location http://<address>[:port]/packages/<name>
                                     (400 for a name with a separator, ".." or a leading
                                     dot; 404 for a package the folder lacks)

Everything nginx writes (configuration, pid file, logs, temporary files)
lies in a private working folder, so several servers can run side by side
and nothing of the system's own nginx setup is used. The access log has one
JSON object a line; access() reads it back as AccessEntry records.

    server = NginxServer(folder).start()
    urllib.request.urlopen(server.redirect_url("Up.vpk"))
    server.wait_access(lambda e: e.path == "/packages/Up.vpk" and e.complete)
    server.stop()

Binding port 80 needs root; as root the worker runs as root too, so that it
can read packages below a private (0700) temporary folder."""
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import tempfile
import time
from dataclasses import dataclass
from pathlib import Path
from urllib.parse import quote

NGINX = Path("/usr/sbin/nginx")
DEFAULT_ADDRESS = "127.10.9.1"   # no host of the development deployment lives here
DEFAULT_PORT = 80
PACKAGES_PREFIX = "/packages/"
REDIRECT_PATH = "/get.aspx"
REDIRECT_FIELD = "file"

# A redirect names only a plain file name: no separators, no "..", no leading dot.
NAME_PATTERN = r"^[A-Za-z0-9_](?:[A-Za-z0-9_+-]|\.(?!\.))*$"

LOG_FORMAT = (
    '{"time":"$msec","client":"$remote_addr","method":"$request_method","target":"$request_uri",'
    '"protocol":"$server_protocol","status":"$status","sent":"$body_bytes_sent",'
    '"length":"$sent_http_content_length","encoding":"$sent_http_transfer_encoding",'
    '"location":"$sent_http_location","completion":"$request_completion",'
    '"host":"$http_host","user_agent":"$http_user_agent","range":"$http_range",'
    '"seconds":"$request_time"}')

CONFIG = """\
{user}
worker_processes 1;
pid "{work}/nginx.pid";
error_log "{work}/error.log" info;
events {{
    worker_connections 256;
}}
http {{
    types {{ }}
    default_type application/octet-stream;
    charset off;
    server_tokens off;
    sendfile on;
    tcp_nopush on;
    keepalive_timeout 5s;
    client_body_temp_path "{work}/temp/body";
    proxy_temp_path "{work}/temp/proxy";
    fastcgi_temp_path "{work}/temp/fastcgi";
    uwsgi_temp_path "{work}/temp/uwsgi";
    scgi_temp_path "{work}/temp/scgi";
    log_format packages escape=json '{log_format}';
    access_log "{work}/access.log" packages;
    map $arg_{field} $package_name {{
        "~{name_pattern}" $arg_{field};
        default "";
    }}
    server {{
        listen {address}:{port};
        server_name _;
        location {prefix} {{
            alias "{folder}/";
            autoindex off;
            disable_symlinks on;
            {rate}
        }}
        location = {redirect} {{
            if ($package_name = "") {{
                return 400;
            }}
            if (!-f "{folder}/$package_name") {{
                return 404;
            }}
            return 302 {base}{prefix}$package_name;
        }}
        location / {{
            return 404;
        }}
    }}
}}
"""


class NginxError(RuntimeError):
    """nginx would not start; the message carries its error log."""


@dataclass(frozen=True)
class AccessEntry:
    """One line of the access log: a request nginx answered (or gave up on)."""
    time: float
    client: str
    method: str
    target: str          # as the client sent it (path and query, not decoded)
    protocol: str
    status: int
    sent: int            # body bytes sent
    length: int | None   # the Content-Length header sent, None without one
    encoding: str        # Transfer-Encoding sent ("" when none)
    location: str        # Location sent ("" when none)
    complete: bool       # the whole answer went out
    host: str
    user_agent: str
    range: str
    seconds: float       # from the request's first byte until the last byte of the answer was handed to the socket

    @property
    def path(self):
        return self.target.split("?", 1)[0]


def parse_access_line(line):
    raw = json.loads(line)
    return AccessEntry(
        time=float(raw["time"]), client=raw["client"], method=raw["method"], target=raw["target"],
        protocol=raw["protocol"], status=int(raw["status"]), sent=int(raw["sent"] or 0),
        length=int(raw["length"]) if raw["length"] else None, encoding=raw["encoding"],
        location=raw["location"], complete=raw["completion"] == "OK", host=raw["host"],
        user_agent=raw["user_agent"], range=raw["range"],
        seconds=float(raw.get("seconds") or 0))


def _quoted(path):
    text = str(path)
    if '"' in text or "\n" in text:
        raise ValueError(f"{text!r} cannot stand in an nginx configuration")
    return text


class NginxServer:
    """nginx serving folder on address:port; rate: body bytes per second per
    connection (None: as fast as it goes)."""

    def __init__(self, folder, address=DEFAULT_ADDRESS, port=DEFAULT_PORT, rate=None, nginx=NGINX):
        self.folder = Path(folder).resolve()
        self.address = address
        self.port = port
        self.rate = rate
        self.nginx = Path(nginx)
        self.work = None
        self._process = None

    # ---- addresses --------------------------------------------------------
    @property
    def base_url(self):
        return f"http://{self.address}" + ("" if self.port == 80 else f":{self.port}")

    def url(self, name):
        """The package's own address."""
        return f"{self.base_url}{PACKAGES_PREFIX}{quote(name)}"

    def redirect_url(self, name):
        """The address that answers 302 to the package's own address."""
        return f"{self.base_url}{REDIRECT_PATH}?{REDIRECT_FIELD}={quote(name)}"

    def add_package(self, name, content):
        """Puts a package into the folder (bytes, or the path of a file to copy); returns its path."""
        if not re.fullmatch(NAME_PATTERN, name):
            raise ValueError(f"{name!r} cannot be a package name")
        self.folder.mkdir(parents=True, exist_ok=True)
        target = self.folder / name
        if isinstance(content, (bytes, bytearray)):
            target.write_bytes(content)
        else:
            shutil.copyfile(content, target)
        return target

    # ---- running ----------------------------------------------------------
    def config_text(self):
        user = "user root root;" if os.geteuid() == 0 else ""
        rate = f"limit_rate {int(self.rate)};" if self.rate else ""
        return CONFIG.format(user=user, work=_quoted(self.work), folder=_quoted(self.folder),
                             address=self.address, port=self.port, prefix=PACKAGES_PREFIX,
                             redirect=REDIRECT_PATH, field=REDIRECT_FIELD, name_pattern=NAME_PATTERN,
                             base=self.base_url, rate=rate, log_format=LOG_FORMAT)

    def start(self, timeout=15):
        """Starts nginx and returns once it accepts connections. NginxError
        (with the error log) when it ends or does not listen in time."""
        if self._process is not None:
            raise RuntimeError("nginx already runs")
        if not self.nginx.exists():
            raise NginxError(f"{self.nginx} missing: install nginx-light (scripts/bootstrap.sh)")
        self.folder.mkdir(parents=True, exist_ok=True)
        self.work = Path(tempfile.mkdtemp(prefix="vantor-nginx-"))
        (self.work / "temp").mkdir()
        (self.work / "access.log").touch()
        conf = self.work / "nginx.conf"
        conf.write_text(self.config_text())
        with open(self.work / "stderr.log", "wb") as err:
            self._process = subprocess.Popen(
                [str(self.nginx), "-p", f"{self.work}/", "-c", str(conf), "-e", str(self.work / "error.log"),
                 "-g", "daemon off;"],
                stdin=subprocess.DEVNULL, stdout=err, stderr=err)
        deadline = time.monotonic() + timeout
        while not self._accepts():
            if self._process.poll() is not None or time.monotonic() > deadline:
                log = self.error_log()
                self.stop()
                raise NginxError(f"nginx did not come up on {self.address}:{self.port}:\n{log}")
            time.sleep(0.05)
        return self

    def _accepts(self):
        try:
            with socket.create_connection((self.address, self.port), timeout=0.5):
                return True
        except OSError:
            return False

    def running(self):
        return self._process is not None and self._process.poll() is None

    def stop(self, timeout=10):
        """Ends nginx at once (open connections are closed) and removes its working folder."""
        process, self._process = self._process, None
        if process is not None and process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=timeout)
        if self.work is not None:
            shutil.rmtree(self.work, ignore_errors=True)
            self.work = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    # ---- what it did ------------------------------------------------------
    def error_log(self):
        if self.work is None:
            return ""
        parts = [(self.work / name) for name in ("stderr.log", "error.log")]
        return "".join(p.read_text(errors="replace") for p in parts if p.exists())

    def access(self):
        """The access log so far, one AccessEntry per answered request, in order."""
        if self.work is None or not (self.work / "access.log").exists():
            return []
        lines = (self.work / "access.log").read_text(encoding="utf-8", errors="replace").split("\n")
        return [parse_access_line(line) for line in lines[:-1] if line.strip()]   # a line is whole at "\n"

    def wait_access(self, condition=lambda entry: True, timeout=30):
        """Waits until an access log entry satisfies condition; returns the first that does."""
        deadline = time.monotonic() + timeout
        while True:
            found = next((e for e in self.access() if condition(e)), None)
            if found is not None:
                return found
            if time.monotonic() > deadline:
                raise TimeoutError(f"no access log entry as awaited after {timeout}s: {self.journal()}")
            time.sleep(0.05)

    def journal(self):
        """What nginx answered, one line a request: the server's side of a failing test."""
        return [f"{time.strftime('%H:%M:%S', time.localtime(e.time))}.{int(e.time % 1 * 1000):03d} "
                f"{e.method} {e.target} -> {e.status}, {e.sent} of {e.length} bytes"
                f"{'' if e.complete else ', incomplete'}{', Location ' + e.location if e.location else ''}"
                for e in self.access()]
