"""Fixtures of the end-to-end tests: one Xvfb display and one Wine prefix per
test session, a fresh installation folder per test, the UI driver, and a
record (screenshot and program output) of every failing test."""
import json
import os
import re
import shutil
from pathlib import Path

import pytest

from vantor_bench.display import Display
from vantor_bench.programs import InstallFolder, Program, LAUNCHER_TITLE
from vantor_bench.silent_hosts import SilentHosts
from vantor_bench.uidriver import UiDriver, wait_for
from vantor_bench.wine import WineEnv

# The counterpart services', the login road's and the update road's fixtures.
pytest_plugins = ["counterpart_fixtures", "login_fixtures", "update_road"]

REPO = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("VANTOR_BUILD_DIR", REPO / "build" / "win32"))
ARTIFACTS = Path(os.environ.get("VANTOR_E2E_ARTIFACTS", REPO / "build" / "e2e-artifacts"))


@pytest.fixture(scope="session")
def build_dir():
    if not (BUILD / "image" / "VantorLogin.exe").exists():
        pytest.exit(f"no Win32 build in {BUILD}: run scripts/build.sh first", returncode=3)
    return BUILD


@pytest.fixture(scope="session")
def display():
    d = Display.start()
    yield d
    d.stop()


@pytest.fixture(scope="session")
def wine(display, build_dir):
    env = WineEnv(display.name).boot(window_manager=display.real_screen)
    yield env
    env.destroy()


@pytest.fixture(scope="session")
def ui(wine, build_dir):
    driver = UiDriver(wine, build_dir / "tools" / "uidriver.exe")
    yield driver
    driver.close()


@pytest.fixture
def artifacts(request):
    name = re.sub(r"[^\w.-]+", "_", request.node.nodeid.split("::", 1)[-1])
    path = ARTIFACTS / Path(request.node.fspath).stem / name
    shutil.rmtree(path, ignore_errors=True)
    path.mkdir(parents=True)
    return path


@pytest.fixture
def install_dir(tmp_path, build_dir):
    """The installation folder: a fresh copy of build/win32/image."""
    return InstallFolder(tmp_path / "Vantor Online", build_dir / "image").path


@pytest.fixture
def programs(wine, ui, artifacts):
    """Starts programs under Wine and ends whatever is still running after the
    test, then waits (a while) until Wine has taken their windows down, so that
    the next test finds no launcher window or message box of this one."""
    started = []

    def start(exe, *args, cwd=None, env=None):
        program = Program(wine, exe, args, cwd or Path(exe).parent, artifacts, env=env)
        started.append(program)
        return program

    yield start
    for program in started:
        program.stop()
    # What the programs started in turn (an updater, a relaunched launcher)
    # must not live on into the next test either.
    for pid, exe in ui.processes():
        if exe.lower().endswith(("vantorupdate.exe", "vantorlogin.exe")):
            ui.terminate(pid)
    if started:
        try:
            wait_for(lambda: ui.find_window(title=LAUNCHER_TITLE) is None and ui.message_box() is None, 15,
                     what="the ended programs' windows to go")
        except TimeoutError as error:
            print(f"programs: {error}")


@pytest.fixture
def silent_update_hosts(build_dir):
    """Both update-info hosts accept and never answer, so the launcher stays in
    its checking state for the whole test."""
    deployment = json.loads((build_dir / "generated" / "deployment.json").read_text())
    hosts = SilentHosts(deployment["update_hosts"], 8080)
    yield hosts
    hosts.close()


@pytest.fixture
def launcher(programs, install_dir, ui):
    """Starts VantorLogin.exe in the installation folder (its current directory,
    unless cwd names another; env adds to its environment) and returns
    (program, main window) once the window is up."""
    def start(folder=None, wait=True, cwd=None, env=None):
        folder = Path(folder or install_dir)
        # A window of an earlier launcher that Wine has not yet taken down is not this one's.
        earlier = {w.hwnd for w in ui.windows() if w.text == LAUNCHER_TITLE}
        program = programs(folder / "VantorLogin.exe", cwd=Path(cwd or folder), env=env)
        program.wait_window = lambda timeout=60: ui.wait_window(title=LAUNCHER_TITLE, timeout=timeout,
                                                                exclude=earlier)
        return program, program.wait_window() if wait else None
    return start


def record_launcher_threads(wine, ui, folder):
    """Saves the backtraces of every thread of each launcher still showing its
    window: where a launcher that stopped making progress waits."""
    try:
        pids = sorted({w.pid for w in ui.windows() if w.text == LAUNCHER_TITLE and w.pid})
        # An updater still running (its window may be hidden) is recorded too.
        pids += sorted(pid for pid, exe in ui.processes() if exe.lower().endswith("vantorupdate.exe"))
        for pid in pids:
            (folder / f"threads-{pid}.txt").write_bytes(wine.thread_backtraces(pid))
    except Exception as error:   # the record must never hide the test's own failure
        (folder / "threads-error.txt").write_text(repr(error))


def record_service_journals(fixtures, folder):
    """Saves what each counterpart service of the test received and answered."""
    for name, value in fixtures.items():
        journal = getattr(value, "journal", None)
        if callable(journal):
            (folder / f"service-{name}.txt").write_text("\n".join(journal()) + "\n")


@pytest.hookimpl(tryfirst=True, hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    if report.when == "call" and report.failed and "display" in item.fixturenames:
        display = item.funcargs.get("display")
        folder = item.funcargs.get("artifacts")
        if display and folder:
            shot = Path(folder) / "failure.png"
            display.screenshot(shot)
            wine = item.funcargs.get("wine")
            if wine and wine.crash_log.exists():
                # Backtraces of programs that crashed since the last failing test.
                shutil.move(str(wine.crash_log), Path(folder) / "crash-backtraces.txt")
            ui = item.funcargs.get("ui")
            if wine and ui:
                record_launcher_threads(wine, ui, Path(folder))
            record_service_journals(item.funcargs, Path(folder))
            report.sections.append(("e2e record", f"screenshot and program output in {folder}"))


def pytest_configure(config):
    # Every test that runs a program asks for the display.
    config.addinivalue_line("markers", "slow: takes more than a few seconds")


def pytest_terminal_summary(terminalreporter):
    if terminalreporter.stats.get("failed"):
        terminalreporter.write_line(f"e2e records of failing tests (screenshots, program output): {ARTIFACTS}")
