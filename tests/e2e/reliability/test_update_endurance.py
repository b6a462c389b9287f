"""The update road over and over on one installation: many updates in a row,
each checked as soon as it ends, and updates cut off at random moments, with
the updater killed or the whole Wine prefix killed as a power loss would end
it. After each cut the installation must still start its launcher and a later
update must complete.

Counts: VANTOR_ENDURANCE_UPDATES (updates in a row, default 3),
VANTOR_INTERRUPTIONS (cuts of each kind, default 2); VANTOR_RELIABILITY_SEED
repeats the random moments of an earlier run (each run prints its seed)."""
import hashlib
import os
import random
import subprocess
import time
from pathlib import Path

import pytest

from update_road import (LAUNCHER_EXE, LOCATION_KEY, PACKAGE, UPDATER_EXE, client_version, installed_files,
                         make_update_package, marked_launcher, pids, prepare_install, update_folder)
from vantor_bench.programs import LAUNCHER_TITLE, Program
from vantor_bench.uidriver import UiDriver, wait_for
from vantor_bench.wine import WineEnv

UPDATES = int(os.environ.get("VANTOR_ENDURANCE_UPDATES", "3"))
INTERRUPTIONS = int(os.environ.get("VANTOR_INTERRUPTIONS", "2"))
UPDATE_TIME_OUT = 120
NOT_INSTALLED = "ClientInfo.ini"   # changes with every update: checked through the recorded version


def version_of(step):
    return f"2007.01.{step:03d}"


def step_files(build_dir, step):
    """One update's files: a new launcher, a file that every update rewrites
    with a different size, a file of its own and one in the existing certs\\ folder."""
    version = version_of(step)
    return {LAUNCHER_EXE: marked_launcher(build_dir, f"client {version}"),
            "news.txt": f"news of {version}\r\n".encode() * (1 + step % 7 * 300),
            f"notes-{step:03d}.txt": version.encode(),
            "certs\\current.txt": f"certificates of {version}".encode()}


def expected_after(before, files):
    """{POSIX path: SHA-256} of the installation once files are installed over before."""
    after = dict(before)
    for path, data in files.items():
        after[path.replace("\\", "/")] = hashlib.sha256(data).hexdigest()
    return after


def installation(folder):
    """What the checks compare: every file outside Update\\ but the one that records the version."""
    return {path: sha for path, sha in installed_files(folder).items() if path != NOT_INSTALLED}


def assert_update_complete(folder, before, files, version, what):
    assert installation(folder) == expected_after(before, files), f"{what}: the installed files"
    assert client_version(folder) == version, f"{what}: the recorded version"
    assert update_folder(folder) == {}, f"{what}: nothing left in Update\\"


# ---- many updates in a row --------------------------------------------------------------------------

def test_updates_in_a_row_on_one_installation(ui, wine, build_dir, install_dir, tmp_path, download_service,
                                              run_updater):
    prepare_install(wine, ui, install_dir)
    state = installation(install_dir)
    for step in range(1, UPDATES + 1):
        files = step_files(build_dir, step)
        package = make_update_package(wine, build_dir, tmp_path / f"package-{step}", files, version_of(step))
        download_service.add_package(PACKAGE, package.archive)
        updater = run_updater(f"{download_service.url(PACKAGE)}|0")
        updater.wait_exit(timeout=UPDATE_TIME_OUT)
        assert_update_complete(install_dir, state, files, version_of(step), f"update {step} of {UPDATES}")
        assert not pids(ui, UPDATER_EXE) and not pids(ui, LAUNCHER_EXE), f"update {step}: nothing keeps running"
        state = installation(install_dir)
        package.archive.unlink()


# ---- updates cut off at random moments ---------------------------------------------------------------

class Machine:
    """A Wine prefix of its own with its UI driver, so that a power loss ends
    nothing that other tests hold; programs started in it are recorded in
    the test's artifacts."""

    def __init__(self, display, build_dir, artifacts):
        self.build_dir, self.artifacts = build_dir, artifacts
        self.wine = WineEnv(display.name).boot()
        self.ui = UiDriver(self.wine, build_dir / "tools" / "uidriver.exe")
        self.started = []

    def start(self, exe, *args):
        program = Program(self.wine, exe, args, Path(exe).parent, self.artifacts)
        self.started.append(program)
        return program

    def power_loss(self):
        """Every process of the prefix ends at once; then the machine comes back up."""
        self.wine.kill_all()
        for program in self.started:
            program.stop()
        subprocess.Popen(["wineserver", "-p"], env=self.wine.env,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).wait(timeout=30)
        self.ui = UiDriver(self.wine, self.build_dir / "tools" / "uidriver.exe")

    def close(self):
        for program in self.started:
            program.stop()
        self.ui.close()
        self.wine.destroy()


@pytest.fixture
def machine(display, build_dir, artifacts):
    m = Machine(display, build_dir, artifacts)
    yield m
    m.close()


def cut_files(build_dir, step):
    """An update big enough that a cut can land in its download, its unpack or its install."""
    files = step_files(build_dir, step)
    files["big.dat"] = os.urandom(2 << 20)
    return files


def run_to_end(machine, folder, url, package_size):
    """Runs an update to its end: (seconds until the package was all on disk, seconds in all)."""
    updater = machine.start(folder / UPDATER_EXE, f"{url}|0")
    started = time.monotonic()
    downloaded = None
    package = folder / "Update" / PACKAGE
    while updater.running() and time.monotonic() - started < UPDATE_TIME_OUT:
        if downloaded is None and package.exists() and package.stat().st_size >= package_size:
            downloaded = time.monotonic() - started
        time.sleep(0.02)
    updater.wait_exit(timeout=10)
    whole = time.monotonic() - started
    return (whole if downloaded is None else downloaded), whole


def launcher_starts(machine, folder):
    """The launcher of the installation shows its window; then it is closed again."""
    # A window of an earlier launcher that Wine has not yet taken down is not this one's.
    earlier = {w.hwnd for w in machine.ui.windows() if w.text == LAUNCHER_TITLE}
    launcher = machine.start(folder / LAUNCHER_EXE)
    try:
        window = machine.ui.wait_window(title=LAUNCHER_TITLE, timeout=60, exclude=earlier)
    finally:
        launcher.stop()
    wait_for(lambda: not pids(machine.ui, LAUNCHER_EXE), 30, what="the launcher to end")
    return window


@pytest.mark.parametrize("cut", ["updater_killed", "power_loss"])
def test_update_cut_off_at_a_random_moment_leaves_a_working_installation(
        cut, machine, build_dir, install_dir, tmp_path, download_service, silent_update_hosts):
    seed = int(os.environ.get("VANTOR_RELIABILITY_SEED") or random.randrange(1 << 32))
    print(f"{cut}: random seed {seed} (VANTOR_RELIABILITY_SEED={seed} repeats these moments)")
    rng = random.Random(seed)
    prepare_install(machine.wine, machine.ui, install_dir)

    def serve(step):
        files = cut_files(build_dir, step)
        package = make_update_package(machine.wine, build_dir, tmp_path / f"package-{step}", files, version_of(step))
        download_service.add_package(PACKAGE, package.archive)
        size = package.archive.stat().st_size
        # About two seconds of download, so that the cut can land in it.
        download_service.configure("A", rate=max(size // 2, 10_000))
        return files, size

    # A whole update first: its phases' times are the range of the moments.
    files, size = serve(1)
    state = installation(install_dir)
    downloaded, whole = run_to_end(machine, install_dir, download_service.url(PACKAGE), size)
    assert_update_complete(install_dir, state, files, version_of(1), "the first update")
    step = 1
    for round_ in range(1, INTERRUPTIONS + 1):
        began = time.monotonic()
        state, version = installation(install_dir), client_version(install_dir)
        step += 1
        files, size = serve(step)
        updater = machine.start(install_dir / UPDATER_EXE, f"{download_service.url(PACKAGE)}|0")
        if round_ % 2:
            moment = rng.uniform(0.0, whole)
            time.sleep(moment)
        else:
            # Every other cut lands after the download, in the short unpack and install.
            package = install_dir / "Update" / PACKAGE
            wait_for(lambda: not updater.running() or (package.exists() and package.stat().st_size >= size),
                     UPDATE_TIME_OUT, interval=0.01, what="the package to be downloaded")
            moment = rng.uniform(0.0, max(whole - downloaded, 0.05))
            time.sleep(moment)
            moment += downloaded
        ended_by_itself = not updater.running()
        if cut == "power_loss":
            machine.power_loss()
            # The Location the installer wrote, in case the loss took the registry's last changes.
            machine.ui.reg_write("HKLM", LOCATION_KEY, "Location", machine.wine.winpath(install_dir) + "\\")
        else:
            updater.stop()
            wait_for(lambda: not pids(machine.ui, UPDATER_EXE), 30, what="the killed updater to go")
        what = f"cut {round_} at {moment:.2f} s of {whole:.2f} s (download done at {downloaded:.2f} s)"
        print(f"{what}: Update\\ holds {sorted(update_folder(install_dir))}"
              f"{' (the updater had ended)' if ended_by_itself else ''}")

        # Each file is the old one or the new one, never a mix, and the version is one of the two.
        now = installation(install_dir)
        old, new = state, expected_after(state, files)
        torn = [path for path in set(now) | set(new) if now.get(path) not in (old.get(path), new.get(path))]
        assert not torn, f"{what}: files neither old nor new: {sorted(torn)}"
        assert client_version(install_dir) in (version, version_of(step)), f"{what}: the recorded version"
        if client_version(install_dir) == version_of(step):
            assert now == new, f"{what}: a version recorded before its files were all installed"
        launcher_starts(machine, install_dir)
        print(f"  the launcher started, {time.monotonic() - began:.1f} s into the round")

        # A later update completes over whatever the cut left.
        step += 1
        files, size = serve(step)
        state = installation(install_dir)
        run_to_end(machine, install_dir, download_service.url(PACKAGE), size)
        assert_update_complete(install_dir, state, files, version_of(step), f"the update after {what}")
        launcher_starts(machine, install_dir)
        print(f"  the later update completed, {time.monotonic() - began:.1f} s into the round")

