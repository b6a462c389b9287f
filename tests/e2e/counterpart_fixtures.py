"""Fixtures that put the operator's side around the programs under test:
the update-info service on update hosts A and B, the package download
service on the download host, nginx as a second download server, the web
pages of game site, service portal and login hosts, and recording programs
in place of the programs that the launcher starts.

Loaded by conftest.py (pytest_plugins), or with `-p counterpart_fixtures`;
web_service also needs login_fixtures (the login hosts' TLS listeners)."""
import shutil
import sys
import time
from contextlib import contextmanager
from dataclasses import dataclass
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]
if str(REPO) not in sys.path:
    sys.path.insert(0, str(REPO))

from counterparts.services.deployment import load_deployment  # noqa: E402
from counterparts.services.download import DownloadService  # noqa: E402
from counterparts.services.nginx import NginxServer  # noqa: E402
from counterparts.services.updateinfo import UpdateInfoService, UpdateOffer  # noqa: E402
from counterparts.services.web import WebService  # noqa: E402
from vantor_bench.uidriver import wait_for  # noqa: E402

# The programs the launcher starts, by their path in the installation folder;
# the system's programs, which it names by their full path in the system
# folder, by their name there.
RECORDED_PROGRAMS = ("regsvr32.exe", "certs/Trustfit.exe", "VantorUpdate.exe")
SYSTEM_PROGRAMS = ("regsvr32.exe",)


def system_folder(wine):
    """The prefix's system folder (C:\\windows\\system32), where the launcher
    takes regsvr32.exe from, for 32-bit and 64-bit prefixes alike."""
    return wine.prefix / "drive_c" / "windows" / "system32"


class SystemProgram:
    """A recording program planted in the prefix's system folder under a
    system program's name; put_back() restores the system's own. Wine runs
    its built-in program for a name it has one for, whatever file lies in the
    system folder, so a load-order override makes it take the planted file."""

    OVERRIDES = r"HKCU\Software\Wine\DllOverrides"

    def __init__(self, wine, name):
        self.wine = wine
        self.name = name
        self.path = system_folder(wine) / name
        self.saved = self.path.with_name(name + ".vantor-saved")

    def load_order(self, order):
        """"native" runs the planted file, "builtin" Wine's own program."""
        self.wine.reg_add(self.OVERRIDES, self.name, order)

    def plant(self, recorder_exe):
        if not self.saved.exists():
            shutil.move(str(self.path), str(self.saved))
        shutil.copyfile(recorder_exe, self.path)
        self.load_order("native")

    def put_back(self):
        if self.saved.exists():
            shutil.move(str(self.saved), str(self.path))
            self.load_order("builtin")
        for log in self.path.parent.glob(self.path.name + ".*.log"):
            log.unlink()
        self.path.with_name(self.path.name + ".hold").unlink(missing_ok=True)


@contextmanager
def system_program_of_its_own(wine, name):
    """The system's own program while the block runs, also where a test has
    planted a recorder in its place (for the tests' own registrations)."""
    program = SystemProgram(wine, name)
    if not program.saved.exists():
        yield
        return
    program.load_order("builtin")
    try:
        yield
    finally:
        program.load_order("native")


@pytest.fixture
def deployment(build_dir):
    """The development deployment's host addresses (build/win32/generated/deployment.json)."""
    return load_deployment(build_dir / "generated" / "deployment.json")


@pytest.fixture
def update_service(deployment):
    """The update-info service on hosts "A" and "B" for this test: both up and
    answering "no update" to the default client version, until the test
    changes them (configure, set_offer). Recorded requests: requests(name),
    wait_requests(name, count, timeout). Stopped after the test, so that the
    next one can listen on the same addresses."""
    package_url = f"http://{deployment['download_host']}/packages/VantorUpdate.vpk"
    service = UpdateInfoService.on_deployment(deployment, UpdateOffer(package_url=package_url)).start()
    yield service
    service.stop()


@pytest.fixture
def download_service(deployment, tmp_path):
    """The package download service on the download host ("A", port 80) for
    this test, serving the empty folder tmp_path / "packages" (add_package, or
    make_release from counterparts.services.packages into service.folder).
    Addresses: url(name), redirect_url(name); behaviours: configure; what it
    sent: deliveries(), wait_delivery(). Stopped after the test."""
    folder = tmp_path / "packages"
    folder.mkdir()
    service = DownloadService.on_deployment(deployment, folder).start()
    yield service
    service.stop()


@pytest.fixture
def nginx_server(tmp_path):
    """nginx (a server none of us wrote) on 127.10.9.1 port 80 for this test,
    serving the empty folder tmp_path / "nginx-packages" (add_package).
    Addresses: url(name), redirect_url(name); what it answered: access(),
    wait_access(). Stopped after the test."""
    server = NginxServer(tmp_path / "nginx-packages").start()
    yield server
    server.stop()


class WebPages:
    """The operator's web pages for one test, by host name: "site" (game site)
    and "portal" (service portal), plain HTTP on port 80; "1", "2", "3" (the
    login hosts), whose pages the login service answers over TLS on its ports
    443 and 80 and the web service once more over plain HTTP on 8080.

    A login host's requests are all that reached it on any of those ports
    (the login posts too), in order of arrival; RecordedRequest.port and
    .secure tell them apart."""

    def __init__(self, web, login):
        self.web = web        # WebService: "site", "portal", and "1".."3" on 8080
        self.login = login    # LoginService: "1".."3" over TLS

    def address(self, name):
        return self.web.host(name).address

    def url(self, name, path="/"):
        """The page's address as the launcher names it: http for site and
        portal, https (default port) for a login host."""
        if name in self.login.hosts:
            return f"https://{self.address(name)}{path}"
        return self.web.url(name, path)

    def requests(self, name):
        """Every request host name received so far, in order of arrival."""
        found = self.web.requests(name)
        if name in self.login.hosts:
            found = sorted(found + self.login.requests(name), key=lambda request: request.time)
        return found

    def paths(self, name):
        """The request paths host name received, in order (query strings dropped)."""
        return [request.path for request in self.requests(name)]

    def wait_requests(self, name, count, timeout):
        """Waits until host name has received at least count requests; returns them all."""
        return self._wait(name, lambda found: len(found) >= count, timeout, f"{count} request(s)")

    def wait_path(self, name, path, timeout):
        """Waits until host name has received a request for path; returns the first such request."""
        found = self._wait(name, lambda found: any(r.path == path for r in found), timeout, f"a request for {path}")
        return next(r for r in found if r.path == path)

    def _wait(self, name, done, timeout, what):
        deadline = time.monotonic() + timeout
        while True:
            found = self.requests(name)
            if done(found):
                return found
            if time.monotonic() >= deadline:
                raise TimeoutError(f"host {name}: {what} not received after {timeout}s; got {self.paths(name)}")
            time.sleep(0.05)

    def journal(self):
        """What the hosts received and answered, for the record of a failing test."""
        return ["web service:", *self.web.journal(), "login service:", *self.login.journal()]


@pytest.fixture
def web_service(deployment, login_service):
    """The web pages for this test (WebPages): game site and service portal
    on port 80, the login hosts' pages over TLS (through login_service, the
    same service a test of the login gets) and over plain HTTP on 8080.
    Read requests(name), paths(name), wait_path(name, path, timeout),
    wait_requests(name, count, timeout) with name "site", "portal", "1",
    "2" or "3". Stopped after the test."""
    service = WebService.on_deployment(deployment).start()
    yield WebPages(service, login_service)
    service.stop()


@dataclass(frozen=True)
class RecordedStart:
    program: str          # path in the installation folder, as in RECORDED_PROGRAMS
    command_line: bytes   # exactly as the started program received it
    created: int          # process creation time (FILETIME): orders the starts


class Recorders:
    """Recording programs in an installation folder, and in the system folder
    for the system's programs (wine given): each start of one of them leaves
    its command line in <program>.cmdline.log beside it."""

    def __init__(self, install_dir, recorder_exe, wine=None):
        self.install_dir = Path(install_dir)
        self.recorder_exe = Path(recorder_exe)
        self.system = {name: SystemProgram(wine, name) for name in SYSTEM_PROGRAMS} if wine else {}

    def _path(self, program):
        if program in self.system:
            return self.system[program].path
        return self.install_dir / program

    def install(self, *programs):
        for program in programs:
            if program in self.system:
                self.system[program].plant(self.recorder_exe)
                continue
            target = self.install_dir / program
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(self.recorder_exe, target)

    def put_back(self):
        """The system's own programs again."""
        for program in self.system.values():
            program.put_back()

    def _log(self, program, kind):
        path = Path(f"{self._path(program)}.{kind}.log")
        if not path.exists():
            return []
        return path.read_bytes().split(b"\n")[:-1]   # a line is complete at its line feed

    def lines(self, program):
        """Command lines of the program's starts so far, in the order they were written."""
        return self._log(program, "cmdline")

    def starts(self, *programs):
        """Every recorded start of the given programs (default: all), in start order."""
        found = []
        for program in programs or RECORDED_PROGRAMS:
            lines, created = self.lines(program), self._log(program, "started")
            found += [RecordedStart(program, line, int(time)) for line, time in zip(lines, created)]
        return sorted(found, key=lambda start: start.created)

    def wait_lines(self, program, count, timeout=30):
        """Waits until the program has recorded at least count starts; returns their command lines."""
        return wait_for(lambda: len(self.lines(program)) >= count and self.lines(program), timeout,
                        what=f"{count} start(s) of {program}")

    def wait_starts(self, count, timeout=30, programs=()):
        return wait_for(lambda: len(self.starts(*programs)) >= count and self.starts(*programs), timeout,
                        what=f"{count} recorded start(s)")

    def hold(self, program):
        """Makes the program's next starts stay running until release()."""
        Path(f"{self._path(program)}.hold").write_bytes(b"")

    def release(self, program):
        Path(f"{self._path(program)}.hold").unlink(missing_ok=True)


@pytest.fixture
def recorders(install_dir, build_dir, wine):
    """Recording programs installed in place of certs\\Trustfit.exe and
    VantorUpdate.exe in the installation folder, and of regsvr32.exe in the
    prefix's system folder, where the launcher takes it from. A test that
    wants the real ones back copies them from build_dir / "image", or calls
    put_back() for the system's."""
    recorder_exe = build_dir / "counterparts" / "recorder.exe"
    if not recorder_exe.exists():
        pytest.exit(f"no {recorder_exe}: run scripts/build.sh win32 first", returncode=3)
    folder = Recorders(install_dir, recorder_exe, wine)
    folder.install(*RECORDED_PROGRAMS)
    yield folder
    for program in RECORDED_PROGRAMS:
        folder.release(program)
    folder.put_back()
