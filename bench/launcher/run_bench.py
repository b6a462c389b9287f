#!/usr/bin/env python3
"""The launcher's start-up under Wine, beside what any dialog program costs
there, and its update check with one slow update-info host beside the fast
host alone:

  bare_dialog.exe   an empty dialog of the launcher's size: process start to
                    its window shown
  VantorLogin.exe   process start to its window shown, and to the server list
                    shown (the update check has answered "no update")

The update check is timed as process start to server list, with
  both hosts answering at once;
  host A answering --slow seconds late, host B at once;
  host A down (the connection refused), host B at once: the fast host alone.
Two workers ask the two hosts at the same time and the first "no update"
decides, so a slow host should cost nothing.

Each figure is the median of --repeat starts, after one start that is not
counted (it warms Wine's caches); the best is printed beside it. The launcher
runs in one installation folder copied from the build's image, with its own
environment preparation (component registration, certificate installer) as a
player has it; the web views' pages are not served, so their navigations fail
at once. The figures go to the terminal and to build/bench/launcher.json.

Build first: scripts/build.sh win32 (VANTOR_BUILD_DIR names another tree).
Binds the development deployment's loopback addresses, so run it in a
private network namespace:
    unshare -n bash -c 'ip link set lo up && /usr/bin/python3 bench/launcher/run_bench.py'

usage: run_bench.py [--repeat 5] [--slow 10] [--json FILE]
"""
import argparse
import contextlib
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import asdict, dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT))
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

BUILD = Path(os.environ.get("VANTOR_BUILD_DIR", ROOT / "build" / "win32"))
BUILD_ROOT = Path(os.environ.get("VANTOR_BUILD_ROOT", ROOT / "build"))
LAUNCHER_TITLE = "岚境·Vantor Online"
BARE_TITLE = "bare dialog"
SERVER_LIST = 1029
POLL_SECONDS = 0.01
START_TIMEOUT = 120


@dataclass
class Row:
    section: str
    program: str
    reading: str
    runs: list = field(default_factory=list)

    @property
    def median(self):
        return statistics.median(self.runs) if self.runs else None

    @property
    def best(self):
        return min(self.runs) if self.runs else None


def wait_until(condition, timeout, what):
    """Polls condition() every 10 ms; gives the monotonic time it first held."""
    deadline = time.monotonic() + timeout
    while True:
        if condition():
            return time.monotonic()
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout}s waiting for {what}")
        time.sleep(POLL_SECONDS)


class Bench:
    def __init__(self, wine, ui, folder):
        self.wine, self.ui, self.folder = wine, ui, folder

    def start(self, exe, title, until_server_list=False):
        """Starts exe in the installation folder; gives the seconds to its window
        shown and, when asked, to the server list shown. Ends it afterwards."""
        earlier = {w.hwnd for w in self.ui.windows() if w.text == title}
        began = time.monotonic()
        process = self.wine.start([exe], cwd=self.folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            found = {}

            def window_shown():
                found["window"] = self.ui.find_window(title=title, exclude=earlier)
                return found["window"] is not None

            shown = wait_until(window_shown, START_TIMEOUT, f"window {title!r}")
            listed = None
            if until_server_list:
                hwnd = found["window"].hwnd
                listed = wait_until(lambda: self.ui.control(hwnd, SERVER_LIST).visible, START_TIMEOUT,
                                    "the server list")
            return shown - began, (listed - began if listed else None)
        finally:
            process.kill()
            process.wait(timeout=30)
            wait_until(lambda: self.ui.find_window(title=title, exclude=earlier) is None, 30,
                       f"window {title!r} to go")


def measure(bench, rows, repeat, exe, title, until_server_list):
    bench.start(exe, title, until_server_list)  # not counted: warms Wine up
    for _ in range(repeat):
        shown, listed = bench.start(exe, title, until_server_list)
        rows[0].runs.append(shown)
        if until_server_list:
            rows[1].runs.append(listed)


def format_seconds(value):
    return "-" if value is None else f"{value:8.3f}"


def format_table(rows, ratios):
    cells = [("section", "program", "reading", "median s", "best s")]
    cells += [(r.section, r.program, r.reading, format_seconds(r.median), format_seconds(r.best)) for r in rows]
    widths = [max(len(row[i].strip()) for row in cells) for i in range(5)]
    lines = ["  ".join(c.strip().ljust(w) if i < 3 else c.strip().rjust(w) for i, (c, w) in enumerate(zip(row, widths)))
             for row in cells]
    lines.append("")
    lines += [f"{name}: {value:.2f}" for name, value in ratios.items()]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--slow", type=float, default=10.0, help="seconds the slow host keeps its answer back")
    parser.add_argument("--json", type=Path, default=BUILD_ROOT / "bench" / "launcher.json")
    args = parser.parse_args()
    launcher_image = BUILD / "image"
    bare = BUILD / "benchbin" / "bare_dialog.exe"
    for path in (launcher_image / "VantorLogin.exe", bare):
        if not path.exists():
            sys.exit(f"missing {path}: build with scripts/build.sh win32 (VANTOR_BUILD_DIR names another tree)")

    from counterparts.services.deployment import load_deployment
    from counterparts.services.updateinfo import UpdateInfoService, UpdateOffer
    from vantor_bench.display import Display
    from vantor_bench.programs import InstallFolder
    from vantor_bench.uidriver import UiDriver
    from vantor_bench.wine import WineEnv

    with contextlib.ExitStack() as cleanup:
        work = Path(tempfile.mkdtemp(prefix="launcher-bench-"))
        cleanup.callback(shutil.rmtree, work, ignore_errors=True)
        display = Display.start()
        cleanup.callback(display.stop)
        wine = WineEnv(display.name, root=work).boot(timeout=900)
        cleanup.callback(wine.destroy)
        ui = UiDriver(wine, BUILD / "tools" / "uidriver.exe")
        cleanup.callback(ui.close)
        folder = InstallFolder(work / "Vantor Online", launcher_image).path
        deployment = load_deployment(BUILD / "generated" / "deployment.json")
        # The installed version is the latest: every check answers "no update".
        service = UpdateInfoService.on_deployment(deployment, UpdateOffer()).start()
        cleanup.callback(service.stop)
        run(Bench(wine, ui, folder), folder / "VantorLogin.exe", bare, service, args)


def run(bench, launcher, bare, service, args):
    start_section = f"start, median of {args.repeat}"
    bare_row = Row(start_section, "bare_dialog.exe", "process start -> window shown")
    measure(bench, [bare_row], args.repeat, bare, BARE_TITLE, False)
    shown_row = Row(start_section, "VantorLogin.exe", "process start -> window shown")
    listed_row = Row(start_section, "VantorLogin.exe", "process start -> server list shown")
    measure(bench, [shown_row, listed_row], args.repeat, launcher, LAUNCHER_TITLE, True)

    check_rows = []
    for label, a in (("both hosts at once", {}), (f"host A {args.slow:g} s late, B at once", {"delay": args.slow}),
                     ("host A down, B at once (B alone)", {"down": True})):
        service.configure("A", **({"delay": 0.0, "down": False} | a))
        shown = Row("update check: " + label, "VantorLogin.exe", "process start -> window shown")
        listed = Row("update check: " + label, "VantorLogin.exe", "process start -> server list shown")
        measure(bench, [shown, listed], args.repeat, launcher, LAUNCHER_TITLE, True)
        check_rows.append(listed)
    rows = [bare_row, shown_row, listed_row, *check_rows]
    slow, alone = check_rows[1], check_rows[2]
    ratios = {
        "launcher window / bare dialog window (start, medians)": shown_row.median / bare_row.median,
        "launcher server list / bare dialog window (start, medians)": listed_row.median / bare_row.median,
        "check with one slow host / the fast host alone (medians)": slow.median / alone.median,
    }
    print(format_table(rows, ratios), flush=True)
    args.json.parent.mkdir(parents=True, exist_ok=True)
    args.json.write_text(json.dumps({
        "rows": [dict(asdict(r), median=r.median, best=r.best) for r in rows],
        "slow_host_delay_s": args.slow,
        "ratios": ratios}, indent=2) + "\n")
    print(f"\nfigures written to {args.json}")


if __name__ == "__main__":
    main()
