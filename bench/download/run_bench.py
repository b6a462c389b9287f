#!/usr/bin/env python3
"""Download throughput of the updater beside the floors under it, in one run:

  VantorUpdate.exe   the updater under Wine, force flag 2 (window shown, no
                     launcher restart), fetching a 256 MiB file that is no
                     package, so its unpack fails at once and it ends
  recv_loop.exe      a bare loop of 1 KiB recv calls under Wine, the same
                     request, the body written to a file
  wininet_read.exe   InternetReadFile into 1 KiB under Wine
  curl               natively (python urllib stands in, labelled, without curl)

all against nginx on a loopback address (counterparts/services/nginx.py),
the best of --repeat runs each. Then a whole update of a 100 MiB package
(incompressible files, so the download is 100 MiB) against its parts timed
alone: the download (recv_loop), DecomposeFile (parcel.exe unpack --timing)
and the copies (copy_files.exe). While the updater downloads, window_probe.exe
sends its window WM_NULL every 10 ms and reports the answer times.

Each figure says what lies inside it: "whole process" includes Wine starting
the program (the bare start is printed too), "in the program" runs from the
connect (or session) to the closed file. The figures go to the terminal as
one table and to build/bench/download.json.

Build first: scripts/build.sh win32. Runs as root (nginx on port 80); run it
in a private network namespace so that it meets no other server:
    unshare -n bash -c 'ip link set lo up && /usr/bin/python3 bench/download/run_bench.py'

usage: run_bench.py [--mb 256] [--update-mb 100] [--repeat 3] [--work-dir FOLDER] [--json FILE]
"""
import argparse
import filecmp
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
from contextlib import contextmanager
from dataclasses import asdict, dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT))
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

BUILD = Path(os.environ.get("VANTOR_BUILD_DIR", ROOT / "build" / "win32"))
BUILD_ROOT = Path(os.environ.get("VANTOR_BUILD_ROOT", ROOT / "build"))
MIB = 1 << 20
UPDATE_FLAG = "2"          # window shown, launcher not started afterwards
PROBE_LIMIT_MS = 100
UPDATE_FILES = 4           # the 100 MiB package holds this many files of equal size
POLL_SECONDS = 0.005       # how often the package file's size is looked at

GOAL_UPDATER_VS_LOOP = 0.9
GOAL_WHOLE_VS_PARTS = 1.2


# ---- what the programs print ----------------------------------------------------------------

def figures_of(text, program):
    """The figure lines a program printed, "program: [phase] key value key value ...",
    as dicts of numbers (the phase, when there is one, under "phase")."""
    found = []
    for line in text.splitlines():
        words = line.split()
        if not words or words[0] != program + ":":
            continue
        words = words[1:]
        figures = {}
        if len(words) % 2:
            figures["phase"] = words.pop(0)
        for key, value in zip(words[::2], words[1::2]):
            try:
                figures[key] = float(value)
            except ValueError:
                raise ValueError(f"{program}: {key} is no number in {line!r}") from None
        found.append(figures)
    return found


def one_figure_line(text, program):
    lines = figures_of(text, program)
    if len(lines) != 1:
        raise RuntimeError(f"{program} printed {len(lines)} figure lines:\n{text}")
    return lines[0]


# ---- figures and goals ----------------------------------------------------------------------

@dataclass
class Row:
    """One line of the table: a client, what its figure holds, the time of each run."""
    section: str
    client: str
    inside: str
    mib: float
    runs: list = field(default_factory=list)

    @property
    def best(self):
        return min(self.runs) if self.runs else None

    @property
    def rate(self):
        return self.mib / self.best if self.best and self.mib else None


@dataclass
class Goal:
    name: str
    value: float
    limit: float
    higher_is_better: bool
    reading: str

    @property
    def met(self):
        return self.value >= self.limit if self.higher_is_better else self.value <= self.limit


def updater_goal(updater_request, loop_request):
    """The updater's download against the bare loop's, each as nginx timed the
    client's request: from its first byte to the last byte of the answer."""
    return Goal("updater >= 0.9 x bare 1 KiB loop", loop_request / updater_request, GOAL_UPDATER_VS_LOOP, True,
                "throughput ratio: bare loop's request / updater's download request, as nginx timed them")


def updater_process_goal(updater_to_file, loop_whole):
    """The same goal from the process start: under Wine this carries the
    address check's fetch of the whole body (see address_check_note)."""
    return Goal("  the same from the process start (Wine's address check inside)", loop_whole / updater_to_file,
                GOAL_UPDATER_VS_LOOP, True, "bare loop whole process / updater start to complete file")


def whole_update_goal(whole, parts):
    return Goal("whole update <= 1.2 x sum of its parts", whole / sum(parts), GOAL_WHOLE_VS_PARTS, False,
                "updater start to end / (address check + download + DecomposeFile + copies)")


def whole_update_without_check_goal(whole, parts):
    """The same goal with the three parts alone: under Wine the address check's
    fetch of the whole package then counts as the updater's own cost."""
    return Goal("  the same against download + DecomposeFile + copies only", whole / sum(parts[1:]),
                GOAL_WHOLE_VS_PARTS, False, "updater start to end / (download + DecomposeFile + copies)")


def updater_requests(entries, path):
    """The updater's two requests for path in nginx's log of one run: (the
    address check through WinINet, the download on its own socket). WinINet
    sends the program's name as agent; the socket client sends its browser line."""
    mine = [e for e in entries if e.path == path]
    checks = [e for e in mine if e.user_agent == "VantorUpdate"]
    downloads = [e for e in mine if e.user_agent != "VantorUpdate"]
    if len(checks) != 1 or len(downloads) != 1:
        raise RuntimeError(f"expected one address check and one download of {path}, nginx saw: "
                           + "; ".join(f"{e.user_agent} {e.sent} bytes" for e in mine))
    return checks[0], downloads[0]


def request_time(entries, path):
    """nginx's time of the one request for path in a run's log."""
    mine = [e for e in entries if e.path == path]
    if len(mine) != 1:
        raise RuntimeError(f"expected one request of {path}, nginx saw {len(mine)}")
    return mine[0].seconds


def window_goal(worst_ms):
    """An unanswered message counts with its time-out, so it is the worst."""
    return Goal("window answers within 100 ms during the download", worst_ms, PROBE_LIMIT_MS, False,
                "worst WM_NULL answer time over every probed run, ms")


def merge_probes(probes):
    """One summary of several probe runs' download phases: counts added, the
    worst of the worst, the highest 99th percentile."""
    return {"count": sum(p["count"] for p in probes),
            "worst_ms": max((p["worst_ms"] for p in probes), default=0.0),
            "p99_ms": max((p["p99_ms"] for p in probes), default=0.0),
            "over_limit": sum(p["over_limit"] for p in probes),
            "unanswered": sum(p["unanswered"] for p in probes),
            "runs": len(probes)}


def format_table(rows, probe, goals, process_start):
    out = []
    section = None
    for row in rows:
        if row.section != section:
            section = row.section
            out.append(f"\n{section}")
            out.append(f"  {'client':<30}{'what the figure holds':<52}{'best s':>9}{'MiB/s':>9}{'runs':>6}")
        best = f"{row.best:9.2f}" if row.best is not None else f"{'-':>9}"
        rate = f"{row.rate:9.1f}" if row.rate else f"{'':>9}"
        out.append(f"  {row.client:<30}{row.inside:<52}{best}{rate}{len(row.runs):>6}")
    if process_start is not None:
        out.append(f"\n  a bare Wine process start (program that ends at once): {process_start * 1000:.0f} ms")
    if probe:
        out.append(f"\nupdater window during the download ({probe['runs']} runs, WM_NULL every 10 ms, "
                   f"SendMessageTimeout 2 s): {probe['count']:.0f} messages, worst {probe['worst_ms']:.1f} ms, "
                   f"99th percentile {probe['p99_ms']:.1f} ms, over {PROBE_LIMIT_MS} ms: {probe['over_limit']:.0f}, "
                   f"unanswered: {probe['unanswered']:.0f}")
    out.append("\ngoals:")
    for goal in goals:
        out.append(f"  {goal.name}: {goal.value:.2f} ({'met' if goal.met else 'MISSED'}; {goal.reading})")
    return "\n".join(out)


def address_check_note(check_bytes, size):
    """What the address check cost, said beside the table: on closing a request
    whose body it has not read, Wine's WinINet reads the rest of the body to keep
    the connection, so from a fast server the check fetches the whole package."""
    if check_bytes < size:
        return f"\naddress check: nginx sent it {check_bytes} of {size} body bytes before the close."
    return (f"\naddress check: nginx sent it all {check_bytes} body bytes. The updater reads none of them; "
            "Wine's WinINet reads the rest of a body when a request is closed, to keep the connection. "
            "The updater's own download is the request timed for the first goal; the check counts as a part "
            "of the whole update.")


# ---- running ----------------------------------------------------------------------------------

def winpath(path):
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


class Bench:
    """nginx, the display, the Wine prefix and the installation folder of one run."""

    def __init__(self, work, display, wine, server):
        self.work, self.display, self.wine, self.server = work, display, wine, server
        self.bin = BUILD / "benchbin"
        self.install = work / "install"
        self.log = work / "programs.log"

    def program(self, name):
        return self.bin / name

    def run_wine(self, args, timeout=900):
        """Runs a Windows program to its end; (seconds of the whole process, stdout text)."""
        start = time.perf_counter()
        result = self.wine.run(args, timeout=timeout)
        took = time.perf_counter() - start
        text = result.stdout.decode("gbk", "replace")
        if result.returncode != 0:
            raise RuntimeError(f"{' '.join(map(str, args))} ended with {result.returncode}: "
                               f"{result.stderr.decode('gbk', 'replace').strip()}")
        return took, text

    def fresh_install(self, base=None):
        """A fresh installation folder: a copy of base (default: the built client image)."""
        shutil.rmtree(self.install, ignore_errors=True)
        shutil.copytree(base or BUILD / "image", self.install)
        (self.install / "Update").mkdir(exist_ok=True)
        return self.install

    def server_log_since(self, count):
        """nginx's access log entries after the first count."""
        return self.server.access()[count:]

    def updater(self, url, package_name, size, probe=False, timeout=900, base=None):
        """Runs VantorUpdate.exe "<url>|2" in a fresh installation folder (a copy of
        base, see fresh_install) until it ends. Gives (start to complete package
        file, start to end, probe figures or None, installation folder, nginx's
        log entries of the run)."""
        logged = len(self.server.access())
        install = self.fresh_install(base)
        package = install / "Update" / package_name
        probe_process = None
        # The probe writes to a file, not a pipe: a Wine service process started
        # meanwhile could inherit a pipe and hold it open.
        probe_out = self.work / "probe.out"
        with open(self.log, "ab") as log, open(probe_out, "wb") as probe_file:
            if probe:
                probe_process = self.wine.start(
                    [self.program("window_probe.exe"), "--until-file", winpath(package), str(size)],
                    stdout=probe_file, stderr=log)
            start = time.perf_counter()
            process = self.wine.start([install / "VantorUpdate.exe", f"{url}|{UPDATE_FLAG}"], cwd=install,
                                      stdout=log, stderr=log)
            to_file = None
            deadline = start + timeout
            while process.poll() is None:
                if to_file is None and file_size(package) >= size:
                    to_file = time.perf_counter() - start
                if time.perf_counter() > deadline:
                    process.kill()
                    raise RuntimeError(f"the updater did not end within {timeout} s")
                time.sleep(POLL_SECONDS)
            whole = time.perf_counter() - start
        figures = None
        if probe_process:
            probe_process.wait(timeout=90)
            text = probe_out.read_text(encoding="gbk", errors="replace")
            phases = {f.get("phase"): f for f in figures_of(text, "window_probe")}
            figures = phases.get("download")
            if figures is None:
                raise RuntimeError(f"window_probe gave no download figures:\n{text}")
        return to_file, whole, figures, install, self.server_log_since(logged)

    def process_start(self, count=10):
        """Mean seconds of a Windows program that ends at once (its usage text)."""
        took = 0.0
        for _ in range(count):
            start = time.perf_counter()
            self.wine.run([self.program("recv_loop.exe")], timeout=120)
            took += time.perf_counter() - start
        return took / count


def curl_download(url, target):
    """(seconds of the whole process, curl's own time_total); urllib stands in without curl."""
    curl = shutil.which("curl")
    start = time.perf_counter()
    if curl:
        done = subprocess.run([curl, "-sS", "--fail", "-o", str(target), "-w", "%{time_total}", url],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True, timeout=900)
        return time.perf_counter() - start, float(done.stdout)
    import urllib.request
    with urllib.request.urlopen(url, timeout=60) as answer, open(target, "wb") as out:
        shutil.copyfileobj(answer, out, 1 << 16)
    took = time.perf_counter() - start
    return took, took


def wine_problem():
    """Why Wine cannot run the Windows programs here, or None when it can."""
    try:
        done = subprocess.run(["wine", "--version"], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=60)
    except OSError as error:
        return str(error)
    return None if done.returncode == 0 else done.stdout.decode(errors="replace").strip()


def random_file(path, size):
    with open(path, "wb") as out:
        left = size
        while left:
            n = min(left, 16 * MIB)
            out.write(os.urandom(n))
            left -= n
    return path


def file_size(path):
    """The size of a file, -1 while it is missing (the updater deletes an unpacked package)."""
    try:
        return os.stat(path).st_size
    except OSError:
        return -1


def check_same(a, b):
    if not filecmp.cmp(a, b, shallow=False):
        raise RuntimeError(f"{b} is not a copy of {a}")


def signed_random_archive(bench, path, size):
    """size random bytes closed by an empty zip end record and signed with the
    development key: the updater checks the signature as it downloads and keeps
    only a signed file (whose unpack then fails: it holds no entry). Gives its
    whole size."""
    from counterparts.services.packages import sign_package
    random_file(path, size)
    with open(path, "ab") as out:
        out.write(b"PK\x05\x06" + bytes(18))
    sign_package(bench.wine, BUILD, path, timeout=900)
    return path.stat().st_size


def download_rows(bench, args, rows):
    source = bench.server.folder / "bench.bin"
    size = signed_random_archive(bench, source, args.mb * MIB)
    url = bench.server.url("bench.bin")
    section = f"download of {args.mb} MiB from nginx on loopback, best of {args.repeat}"
    client = "curl (native)" if shutil.which("curl") else "python urllib (native, for curl)"
    updater_request = Row(section, "VantorUpdate.exe (Wine)", "its download request, as nginx timed it", args.mb)
    address_check = Row(section, "  its address check (WinINet)", "its request, as nginx timed it (see below)", args.mb)
    updater_file = Row(section, "VantorUpdate.exe (Wine)", "process start -> package file complete", args.mb)
    # The window probe's messages load the same Wine server as the download's
    # receives, so its run is timed apart from the one the goal takes.
    probed_file = Row(section, "VantorUpdate.exe (Wine)", "the same, window probed every 10 ms", args.mb)
    updater_whole = Row(section, "VantorUpdate.exe (Wine)", "whole run (+ unpack refusing it, window closed)", 0)
    loop_request = Row(section, "recv_loop.exe 1 KiB (Wine)", "its request, as nginx timed it", args.mb)
    loop_whole = Row(section, "recv_loop.exe 1 KiB (Wine)", "whole process", args.mb)
    loop_in = Row(section, "recv_loop.exe 1 KiB (Wine)", "in the program: connect -> file closed", args.mb)
    inet_whole = Row(section, "wininet_read.exe 1 KiB (Wine)", "whole process", args.mb)
    inet_in = Row(section, "wininet_read.exe 1 KiB (Wine)", "in the program: session -> file closed", args.mb)
    curl_whole = Row(section, client, "whole process", args.mb)
    curl_in = Row(section, client, "its own total time", args.mb)
    probes = []
    check_bytes = []   # body bytes nginx sent to the address check
    out = bench.work / "out.bin"
    for run in range(args.repeat):
        print(f"  download run {run + 1} of {args.repeat}", flush=True)
        # Each run gets a fresh installation folder: check each one's file before the next.
        to_file, whole, _, install, log = bench.updater(url, "bench.bin", size)
        if to_file is None:
            raise RuntimeError("the updater ended without a complete package file")
        check_same(source, install / "Update" / "bench.bin")
        check, download = updater_requests(log, "/packages/bench.bin")
        updater_request.runs.append(download.seconds)
        address_check.runs.append(check.seconds)
        check_bytes.append(check.sent)
        probed_to_file, _, probe, install, _ = bench.updater(url, "bench.bin", size, probe=True)
        if probed_to_file is None:
            raise RuntimeError("the updater ended without a complete package file")
        check_same(source, install / "Update" / "bench.bin")
        updater_file.runs.append(to_file)
        updater_whole.runs.append(whole)
        probed_file.runs.append(probed_to_file)
        probes.append(probe)
        for whole_row, in_row, program in ((loop_whole, loop_in, "recv_loop"), (inet_whole, inet_in, "wininet_read")):
            logged = len(bench.server.access())
            took, text = bench.run_wine([bench.program(program + ".exe"), url, winpath(out)])
            if program == "recv_loop":
                loop_request.runs.append(request_time(bench.server_log_since(logged), "/packages/bench.bin"))
            whole_row.runs.append(took)
            in_row.runs.append(one_figure_line(text, program)["seconds"])
            check_same(source, out)
        took, own = curl_download(url, out)
        check_same(source, out)
        curl_whole.runs.append(took)
        curl_in.runs.append(own)
        out.unlink()
    source.unlink()
    rows += [updater_request, address_check, updater_file, updater_whole, probed_file, loop_request, loop_whole,
             loop_in, inet_whole, inet_in, curl_whole, curl_in]
    return (updater_request, loop_request, updater_file, loop_whole), merge_probes(probes), max(check_bytes)


def update_rows(bench, args, rows):
    from counterparts.services.packages import make_release
    size = args.update_mb * MIB
    old = bench.work / "update-old"
    source = bench.work / "update-source"
    old.mkdir()
    source.mkdir()
    names = [f"data{i}.pak" for i in range(UPDATE_FILES)]
    for name in names:
        random_file(source / name, size // UPDATE_FILES)
    package = make_release(bench.wine, BUILD, old, source, bench.server.folder / "update.vpk", "2006.09.30",
                           timeout=900).archive
    old.rmdir()
    mib = package.stat().st_size / MIB
    section = f"whole update of a {mib:.0f} MiB package ({len(names)} files) against its parts, best of {args.repeat}"
    return measure_update(bench, args.repeat, rows, section, package, names, lambda item: source / item)


def measure_update(bench, repeat, rows, section, package, items, source_of, base=None):
    """Times the update that package (served by nginx) makes in a copy of base
    (default: the client image), whole, and its parts alone: the address check,
    the download, DecomposeFile and the copies of items (the manifest's, "\\"
    between folders). source_of(item): the file each installed item must equal.
    Adds the rows; gives (whole, (check, download, unpack, copies) bests)."""
    mib = package.stat().st_size / MIB
    url = bench.server.url(package.name)
    whole = Row(section, "VantorUpdate.exe (Wine)", "process start -> end: check, download, unpack, copies", mib)
    check = Row(section, "  address check: the updater's", "its request, as nginx timed it in the run above", mib)
    download = Row(section, "  download: recv_loop.exe", "in the program: connect -> file closed", mib)
    unpack = Row(section, "  DecomposeFile: parcel.exe", "inside the call (--timing)", 0)
    copies = Row(section, "  copies: copy_files.exe", "in the program: CopyFile and delete per file", 0)
    parts = Row(section, "  sum of the parts", "each in its program, no process start", mib)
    for run in range(repeat):
        print(f"  update run {run + 1} of {repeat}", flush=True)
        _, took, _, install, log = bench.updater(url, package.name, package.stat().st_size, base=base)
        check.runs.append(updater_requests(log, f"/packages/{package.name}")[0].seconds)
        for item in items:
            check_same(source_of(item), install / item.replace("\\", "/"))
        if (install / "Update" / package.name).exists():
            raise RuntimeError("the whole update left its package behind: it did not unpack")
        whole.runs.append(took)

        part = bench.work / "parts"
        shutil.rmtree(part, ignore_errors=True)
        (part / "unpacked").mkdir(parents=True)
        (part / "installed").mkdir()
        for item in items:   # the updater copies into folders that exist
            (part / "installed" / item.replace("\\", "/")).parent.mkdir(parents=True, exist_ok=True)
        # Downloaded into the folder it is unpacked into, as the updater's Update\\: the
        # archive's further entries are unzipped beside the archive.
        downloaded = part / "unpacked" / package.name
        _, text = bench.run_wine([bench.program("recv_loop.exe"), url, winpath(downloaded)])
        download.runs.append(one_figure_line(text, "recv_loop")["seconds"])
        _, text = bench.run_wine([BUILD / "tools" / "parcel.exe", "--timing", "unpack", winpath(downloaded),
                                  winpath(part / "unpacked") + "\\"])
        unpack.runs.append(next(float(line.split()[2]) for line in text.splitlines()
                                if line.startswith("timing: DecomposeFile ")))
        _, text = bench.run_wine([bench.program("copy_files.exe"), winpath(part / "unpacked"),
                                  winpath(part / "installed"), *items])
        copies.runs.append(one_figure_line(text, "copy_files")["seconds"])
        parts.runs.append(check.runs[-1] + download.runs[-1] + unpack.runs[-1] + copies.runs[-1])
    rows += [whole, check, download, unpack, copies, parts]
    return whole, (check.best, download.best, unpack.best, copies.best)


@contextmanager
def bench_machine(prefix, work_dir):
    """A Bench on a work folder of its own below work_dir: a display, a booted
    Wine prefix and nginx, all stopped and the folder removed afterwards."""
    from counterparts.services.nginx import NginxServer
    from vantor_bench.display import Display
    from vantor_bench.wine import WineEnv

    work = Path(tempfile.mkdtemp(prefix=prefix, dir=work_dir))
    display = wine = server = None
    try:
        display = Display.start()
        wine = WineEnv(display.name, root=work).boot(timeout=900)  # minutes where Wine runs emulated
        # No window manager runs on the bench's display. Wine waits up to 2 s at
        # each managed window's close for a window manager's answer that never
        # comes; unmanaged windows leave that wait, which no player's machine has,
        # out of the figures.
        wine.reg_add(r"HKCU\Software\Wine\X11 Driver", "Managed", "N")
        server = NginxServer(work / "packages").start()
        print(f"nginx {server.base_url}, Wine prefix {wine.prefix}, display {display.name}", flush=True)
        yield Bench(work, display, wine, server)
    finally:
        if server:
            server.stop()
        if wine:
            wine.destroy()
        if display:
            display.stop()
        shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mb", type=int, default=256, help="MiB of the download workload")
    parser.add_argument("--update-mb", type=int, default=100, help="MiB of files in the update package")
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--work-dir", default=tempfile.gettempdir(),
                        help="where the files, downloads and the Wine prefix go; /dev/shm leaves the disk out")
    parser.add_argument("--json", type=Path, default=BUILD_ROOT / "bench" / "download.json")
    args = parser.parse_args()
    for path in (BUILD / "image" / "VantorUpdate.exe", BUILD / "tools" / "parcel.exe",
                 BUILD / "benchbin" / "recv_loop.exe"):
        if not path.exists():
            sys.exit(f"missing {path}: build with scripts/build.sh win32 (VANTOR_BUILD_DIR names another tree)")

    problem = wine_problem()
    if problem:
        sys.exit(f"Wine cannot start on this machine: {problem}")

    with bench_machine("download-bench-", args.work_dir) as bench:
        start_cost = bench.process_start()
        rows = []
        (updater_request, loop_request, updater_file, loop_whole), probe, check_bytes = download_rows(bench, args, rows)
        whole, parts = update_rows(bench, args, rows)
        goals = [updater_goal(updater_request.best, loop_request.best),
                 updater_process_goal(updater_file.best, loop_whole.best),
                 whole_update_goal(whole.best, parts),
                 whole_update_without_check_goal(whole.best, parts),
                 window_goal(probe["worst_ms"])]
        print(format_table(rows, probe, goals, start_cost), flush=True)
        print(address_check_note(check_bytes, args.mb * MIB), flush=True)
        args.json.parent.mkdir(parents=True, exist_ok=True)
        args.json.write_text(json.dumps({
            "rows": [dict(asdict(r), best=r.best, mib_per_s=r.rate) for r in rows],
            "process_start_s": start_cost, "window_probe": probe, "address_check_bytes": check_bytes,
            "goals": [dict(asdict(g), met=g.met) for g in goals]}, indent=2) + "\n")
        print(f"\nfigures written to {args.json}")


if __name__ == "__main__":
    main()
