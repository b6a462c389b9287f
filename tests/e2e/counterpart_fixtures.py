"""Fixtures that put the operator's side around the programs under test:
the update-info service on update hosts A and B, the package download
service on the download host, nginx as a second download server, and
recording programs in place of the programs that the launcher starts.

Loaded by conftest.py (pytest_plugins), or with `-p counterpart_fixtures`."""
import shutil
import sys
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
from vantor_bench.uidriver import wait_for  # noqa: E402

# The programs the launcher starts, by their path in the installation folder.
RECORDED_PROGRAMS = ("regsvr32.exe", "certs/Trustfit.exe", "VantorUpdate.exe")


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
    make_package from counterparts.services.packages into service.folder).
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


@dataclass(frozen=True)
class RecordedStart:
    program: str          # path in the installation folder, as in RECORDED_PROGRAMS
    command_line: bytes   # exactly as the started program received it
    created: int          # process creation time (FILETIME): orders the starts


class Recorders:
    """Recording programs in an installation folder: each start of one of them
    leaves its command line in <program>.cmdline.log beside it."""

    def __init__(self, install_dir, recorder_exe):
        self.install_dir = Path(install_dir)
        self.recorder_exe = Path(recorder_exe)

    def install(self, *programs):
        for program in programs:
            target = self.install_dir / program
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(self.recorder_exe, target)

    def _log(self, program, kind):
        path = self.install_dir / f"{program}.{kind}.log"
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
        (self.install_dir / f"{program}.hold").write_bytes(b"")

    def release(self, program):
        (self.install_dir / f"{program}.hold").unlink(missing_ok=True)


@pytest.fixture
def recorders(install_dir, build_dir):
    """Recording programs installed in place of regsvr32.exe, certs\\Trustfit.exe
    and VantorUpdate.exe (a process start searches the starter's own folder
    first, so the launcher starts these). A test that wants the real ones back
    copies them from build_dir / "image"."""
    recorder_exe = build_dir / "counterparts" / "recorder.exe"
    if not recorder_exe.exists():
        pytest.exit(f"no {recorder_exe}: run scripts/build.sh win32 first", returncode=3)
    folder = Recorders(install_dir, recorder_exe)
    folder.install(*RECORDED_PROGRAMS)
    yield folder
    for program in RECORDED_PROGRAMS:
        folder.release(program)
