#!/usr/bin/env python3
"""Compose and decompose throughput of the package code, side by side:

  parcel.exe  the real Parcelkit.dll and v_zipfile.dll under Wine
  host        the same code built natively and optimised (the bench build)
  Info-ZIP    zip -6 / unzip doing the same work at the same level
  file_floor  under Wine, the file work alone: every input file read (the
              floor under a compose), every file written (under a decompose)

Workloads: one big file (--big-mb), and many small files of 1 to 8 KB
(--small-files, in packages of 100 files, since a package holds at most 100).
Throughput is input megabytes (MiB) over time. parcel.exe and the host build
are timed twice: inside ComposeFile / DecomposeFile alone (the --timing figure
both print), and as whole processes, which under Wine includes Wine starting a
process for every package. Info-ZIP is timed as whole processes only.

The machine is shared, so the tools take turns within every repeat (compose of
each tool, then decompose of each, in a rotating order) and each figure is the
best of --repeat runs. The work folder defaults to /dev/shm, leaving the disk
out of the figures.

The programs: parcel.exe from $VANTOR_BUILD_DIR/tools and file_floor.exe from
$VANTOR_BUILD_DIR/benchbin (default build/win32; see scripts/wine-mode.sh,
which also sets WINEARCH and the wine on PATH), parcel_host
from --bench-build or $VANTOR_BENCH_BUILD_DIR (default build/bench). Build first:
scripts/build.sh win32 (or win64) and scripts/build.sh bench.

usage: run_bench.py [--big-mb 200] [--small-files 1000] [--repeat 3] [--work-dir FOLDER]
                    [--bench-build DIR] [--no-wine] [--json FILE]
"""
import argparse
import json
import os
import random
import resource
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
MANIFEST = b'<?xml version="1.0"?>\n<spkprotocol><version>1.0.1</version></spkprotocol>\n'
# The goals: the host build's whole processes at most as long as Info-ZIP's, and
# the DLL under Wine inside the calls within 1.5 times the host build.
HOST_VS_INFOZIP_LIMIT = 1.0
WINE_VS_HOST_LIMIT = 1.5


class TextPool:
    """Word-like data that deflates to about 60 % of its size at level 6.
    Larger inputs are cut from an 8 MiB pool at random places; repeats lie far
    beyond deflate's 32 KiB window, so they do not make compression easier."""

    def __init__(self, rng):
        words = [bytes(rng.choices(b"abcdefghijklmnopqrstuvwxyz0123456789", k=rng.randint(2, 9)))
                 for _ in range(20000)]
        self.pool = b" ".join(rng.choices(words, k=1500000))[:8 << 20]
        self.rng = rng

    def take(self, size):
        out = bytearray()
        while len(out) < size:
            n = min(size - len(out), 1 << 20)
            start = self.rng.randint(0, len(self.pool) - n)
            out += self.pool[start:start + n]
        return bytes(out)


def make_groups(base, count, size_of, rng):
    """Folders of at most 99 data files plus the manifest; gives their paths."""
    groups = []
    made = 0
    while made < count:
        folder = os.path.join(base, f"group{len(groups):02d}")
        os.makedirs(folder)
        with open(os.path.join(folder, "updateFile.xml"), "wb") as f:
            f.write(MANIFEST)
        made += 1
        for i in range(min(99, count - made)):
            with open(os.path.join(folder, f"file{i:03d}.bin"), "wb") as f:
                f.write(size_of(rng))
            made += 1
        groups.append(folder)
    return groups


def folder_bytes(folder):
    return sum(os.path.getsize(os.path.join(folder, n)) for n in os.listdir(folder))


def winpath(path):
    return "Z:" + path.replace("/", "\\")


class Tool:
    """One program doing the work; compose and decompose return the seconds spent
    inside the library call when the program reports them, else None."""
    in_call = False
    timings = (False,)       # the rows printed: inside the calls (True), whole processes (False)
    checked_by_unzip = False  # its archives are ours, which standard unzip must read

    def __init__(self, name, env, program=None):
        self.name, self.env, self.program = name, env, program

    def run(self, args, cwd=None):
        """Runs a program; gives its stdout text. Output goes to files, not pipes:
        Wine's service processes may inherit the handles and keep a pipe open
        for as long as they live."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run(args, cwd=cwd, env=self.env, stdout=out, stderr=err)
            out.seek(0)
            err.seek(0)
            if done.returncode != 0:
                sys.exit(f"{self.name}: {' '.join(args)} failed ({done.returncode}): "
                         f"{err.read().decode(errors='replace').strip()}")
            return out.read().decode(errors="replace")

    def command(self, *args):
        return [self.program, *args]

    def path(self, path):
        return path

    def timed(self, args, function):
        """Runs a program given --timing; gives the seconds it reports for function."""
        return timing_of(self.run(args), function, self.name)


def timing_of(text, function, name="program"):
    """The seconds of the "timing: FUNCTION 0.012345 s" line in text."""
    for line in text.splitlines():
        words = line.split()
        if len(words) == 4 and words[:2] == ["timing:", function] and words[3] == "s":
            return float(words[2])
    sys.exit(f"{name}: no timing line for {function}")


class Parcel(Tool):
    """parcel_host, or parcel.exe through UnderWine: the same commands, each
    printing the time of its library call."""
    in_call, timings, checked_by_unzip = True, (True, False), True

    def compose(self, folder, out):
        return self.timed(self.command("--timing", "pack", self.path(folder), self.path(folder + "/updateFile.xml"),
                                       self.path(out + "/p.pk")), "ComposeFile")

    def decompose(self, archive, target):
        return self.timed(self.command("--timing", "unpack", self.path(archive), self.path(target)),
                          "DecomposeFile")

    def archive(self, out):
        return out + "/p.pkzip"


class UnderWine:
    """A Windows program: started by wine, given Z: paths."""

    def command(self, *args):
        return ["wine", self.program, *args]

    def path(self, path):
        return winpath(path)


class ParcelWine(UnderWine, Parcel):
    pass


class InfoZip(Tool):
    def compose(self, folder, out):
        self.run(["zip", "-q", "-6", "-j", out + "/p.zip"] + sorted(os.listdir(folder)), cwd=folder)

    def decompose(self, archive, target):
        self.run(["unzip", "-q", "-o", archive, "-d", target])

    def archive(self, out):
        return out + "/p.zip"


class FileFloorWine(UnderWine, Tool):
    """The file work alone under Wine: its "compose" reads every file of the
    folder, its "decompose" writes them all into the target. The "archive" is
    the folder itself."""
    in_call, timings = True, (True,)

    def compose(self, folder, out):
        self.source = folder
        return self.timed(self.command("read", self.path(folder)), "read")

    def decompose(self, archive, target):
        return self.timed(self.command("write", self.path(archive), self.path(target)), "write")

    def archive(self, out):
        return self.source


def best(old, new):
    return new if old is None or (new is not None and new < old) else old


class Figures:
    """Best times of one tool on one workload: whole processes (wall time of the
    run over all groups) and, where the tool reports it, inside the calls."""

    def __init__(self, mib):
        self.mib = mib
        self.compose = self.decompose = self.compose_in = self.decompose_in = None
        self.compose_cpu = self.decompose_cpu = None
        self.archive_mib = 0.0

    def add_compose(self, whole, inside, cpu=None):
        self.compose = best(self.compose, whole)
        self.compose_in = best(self.compose_in, inside)
        self.compose_cpu = best(self.compose_cpu, cpu)

    def add_decompose(self, whole, inside, cpu=None):
        self.decompose = best(self.decompose, whole)
        self.decompose_in = best(self.decompose_in, inside)
        self.decompose_cpu = best(self.decompose_cpu, cpu)

    def rate(self, seconds):
        return self.mib / seconds if seconds else float("nan")

    def row(self, workload, tool, inside):
        """One printed line's figures, as the JSON holds them."""
        c, d = (self.compose_in, self.decompose_in) if inside else (self.compose, self.decompose)
        return {"workload": workload, "tool": tool, "timing": "in the call" if inside else "whole process",
                "mib": round(self.mib, 3), "compose_s": c, "decompose_s": d,
                "compose_mib_per_s": round(self.rate(c), 3), "decompose_mib_per_s": round(self.rate(d), 3),
                "archive_mib": round(self.archive_mib, 3),
                # User and system time of the processes (Wine's server not included):
                # steadier than wall time when other work shares the processors.
                "compose_cpu_s": None if inside else self.compose_cpu,
                "decompose_cpu_s": None if inside else self.decompose_cpu}


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def compose_all(tool, groups, scratch):
    """Composes every group into scratch; gives whole-run seconds, seconds inside
    the calls (or None) and the archives."""
    shutil.rmtree(scratch, ignore_errors=True)
    archives, inside = [], 0.0
    start = time.perf_counter()
    for i, g in enumerate(groups):
        out = os.path.join(scratch, f"out{i:02d}")
        os.makedirs(out)
        inside += tool.compose(g, out) or 0.0
        archives.append(tool.archive(out))
    return time.perf_counter() - start, (inside if tool.in_call else None), archives


def decompose_all(tool, groups, archives, scratch):
    """Decomposes every archive into fresh folders and checks that the same files
    came back; gives whole-run seconds and seconds inside the calls (or None)."""
    targets = []
    for i in range(len(groups)):
        targets.append(os.path.join(scratch, f"target{i:02d}"))
        os.makedirs(targets[-1])
    inside = 0.0
    start = time.perf_counter()
    for archive, target in zip(archives, targets):
        inside += tool.decompose(archive, target) or 0.0
    took = time.perf_counter() - start
    for g, t in zip(groups, targets):
        for name in os.listdir(g):
            if name.endswith(".bin"):
                with open(os.path.join(g, name), "rb") as a, open(os.path.join(t, name), "rb") as b:
                    if a.read() != b.read():
                        sys.exit(f"{tool.name}: {name} differs after the round trip")
    return took, (inside if tool.in_call else None)


def measure(tools, groups, work, repeat):
    """All tools on one workload, taking turns within every repeat; {name: Figures}."""
    mib = sum(folder_bytes(g) for g in groups) / (1 << 20)
    figures = {t.name: Figures(mib) for t in tools}
    for r in range(repeat):
        order = tools[r % len(tools):] + tools[:r % len(tools)]
        archives = {}
        for tool in order:
            scratch = os.path.join(work, "scratch", tool.name.split()[0])
            cpu = children_cpu()
            whole, inside, archives[tool.name] = compose_all(tool, groups, scratch)
            figures[tool.name].add_compose(whole, inside, children_cpu() - cpu)
            figures[tool.name].archive_mib = sum(os.path.getsize(a) for a in archives[tool.name]
                                                 if os.path.isfile(a)) / (1 << 20)
            if r == 0 and tool.checked_by_unzip:
                for a in archives[tool.name]:
                    tool.run(["unzip", "-tqq", a])
        for tool in order:
            scratch = os.path.join(work, "scratch", tool.name.split()[0])
            cpu = children_cpu()
            whole, inside = decompose_all(tool, groups, archives[tool.name], scratch)
            figures[tool.name].add_decompose(whole, inside, children_cpu() - cpu)
    return figures


def goals_of(workload, wine, host, infozip, floor=None):
    """The goals of one workload as the JSON holds them: ratio, limit, met; a
    Wine goal's reading names the bare file work under Wine when it ran."""
    goals = []
    for what in ("compose", "decompose"):
        h, z = getattr(host, what), getattr(infozip, what)
        ratio = h / z
        reading = f"{h:.3f} s vs {z:.3f} s"
        hc, zc = getattr(host, what + "_cpu"), getattr(infozip, what + "_cpu")
        if hc and zc:
            reading += f"; CPU time {hc:.3f} s vs {zc:.3f} s, ratio {hc / zc:.2f}"
        goals.append({"name": f"{workload}, {what}: host / Info-ZIP time, whole processes",
                      "value": round(ratio, 3), "limit": HOST_VS_INFOZIP_LIMIT, "higher_is_better": False,
                      "reading": reading, "met": ratio <= HOST_VS_INFOZIP_LIMIT})
        if wine is not None:
            w, hi = getattr(wine, what + "_in"), getattr(host, what + "_in")
            ratio = w / hi
            reading = f"{w:.3f} s vs {hi:.3f} s"
            f = getattr(floor, what + "_in", None) if floor is not None else None
            if f:
                reading += f"; the file work alone under Wine takes {f:.3f} s, the DLL {w / f:.2f} times that"
            goals.append({"name": f"{workload}, {what}: DLL under Wine / host time, inside the calls",
                          "value": round(ratio, 3), "limit": WINE_VS_HOST_LIMIT, "higher_is_better": False,
                          "reading": reading, "met": ratio <= WINE_VS_HOST_LIMIT})
    return goals


def comparisons_of(workload, host, infozip, wine=None, floor=None):
    """Host build beside Info-ZIP, whole processes, and the DLL under Wine beside
    the file work alone under Wine, inside the calls, for the summary table."""
    rows = []
    for what in ("compose", "decompose"):
        h, z = getattr(host, what), getattr(infozip, what)
        rows.append({"figure": f"{workload}, {what} vs Info-ZIP", "ours_s": h, "peer_s": z,
                     "ratio": round(h / z, 3), "goal": f"<= {HOST_VS_INFOZIP_LIMIT:g}",
                     "met": h / z <= HOST_VS_INFOZIP_LIMIT, "note": "host build, whole processes, best runs"})
    if wine is not None and floor is not None:
        for what, work in (("compose", "every file read"), ("decompose", "every file written")):
            w, f = getattr(wine, what + "_in"), getattr(floor, what + "_in")
            rows.append({"figure": f"{workload}, {what} under Wine vs the file work alone", "ours_s": w,
                         "peer_s": f, "ratio": round(w / f, 3), "goal": "", "met": None,
                         "note": f"inside the calls, best runs; the file work: {work} by a bare program"})
    return rows


def print_row(row):
    print(f"{row['workload']:<22}{row['tool'] + ', ' + row['timing']:<36}{row['mib']:8.1f}"
          f"{row['compose_mib_per_s']:15.1f}{row['decompose_mib_per_s']:17.1f}"
          f"{row['compose_s']:11.3f}{row['decompose_s']:13.3f}{row['archive_mib']:13.2f}", flush=True)


def print_goal(goal):
    print(f"  goal {goal['name']}: {goal['value']:.2f} ({goal['reading']}; "
          f"{'met' if goal['met'] else 'MISSED'}, limit {goal['limit']:g})", flush=True)


def wine_env(base):
    """Wine without a display or debug output, in a prefix of its own per WINEARCH."""
    env = dict(base, WINEDEBUG="-all", LC_ALL="zh_CN.UTF-8")
    env.setdefault("WINEARCH", "win32")
    env.setdefault("WINEPREFIX", os.path.join(tempfile.gettempdir(), f"parcel-bench-prefix-{env['WINEARCH']}"))
    env.pop("DISPLAY", None)
    return env


def start_wine(env, parcel_exe):
    if not os.path.isdir(env["WINEPREFIX"]):
        subprocess.run(["wine", "wineboot", "-i"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # A resident wineserver, so that each parcel.exe start does not pay for one.
    subprocess.run(["wineserver", "-p"], env=env)  # exits 2 when one already runs
    # Warm up; no pipes, since the Wine services started here keep their inherited handles.
    subprocess.run(["wine", parcel_exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def start_cost_ms(command, env, times=20):
    start = time.perf_counter()
    for _ in range(times):
        subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return (time.perf_counter() - start) / times * 1000


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--big-mb", type=int, default=200)
    parser.add_argument("--small-files", type=int, default=1000)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--work-dir", default="/dev/shm" if os.path.isdir("/dev/shm") else tempfile.gettempdir(),
                        help="where the generated files and archives go (default: /dev/shm, a tmpfs)")
    parser.add_argument("--bench-build", default=os.environ.get("VANTOR_BENCH_BUILD_DIR",
                                                                os.path.join(ROOT, "build", "bench")),
                        help="the optimised host build holding bench/parcel_host")
    parser.add_argument("--no-wine", action="store_true", help="leave parcel.exe under Wine out")
    parser.add_argument("--json", help="also write every figure and goal to this file")
    args = parser.parse_args()

    build_dir = os.environ.get("VANTOR_BUILD_DIR", os.path.join(ROOT, "build", "win32"))
    parcel_exe = os.path.join(build_dir, "tools", "parcel.exe")
    file_floor = os.path.join(build_dir, "benchbin", "file_floor.exe")
    parcel_host = os.path.join(args.bench_build, "bench", "parcel_host")
    for path in ([] if args.no_wine else [parcel_exe, file_floor]) + [parcel_host]:
        if not os.path.exists(path):
            sys.exit(f"missing {path}: build with scripts/build.sh win32 (or win64, with VANTOR_BUILD_DIR) "
                     f"and scripts/build.sh bench")

    env = wine_env(os.environ)
    if not args.no_wine:
        start_wine(env, parcel_exe)
    rng = random.Random(7)
    pool = TextPool(rng)
    work = tempfile.mkdtemp(prefix="parcel-bench-", dir=args.work_dir)
    report = {"settings": {"big_mb": args.big_mb, "small_files": args.small_files, "repeat": args.repeat,
                           "winearch": None if args.no_wine else env["WINEARCH"], "parcel_exe": parcel_exe,
                           "parcel_host": parcel_host, "work_dir": args.work_dir},
              "rows": [], "goals": [], "comparisons": [], "process_start_ms": {}}
    try:
        big = make_groups(os.path.join(work, "big"), 2, lambda r: pool.take(args.big_mb << 20), rng)
        small = make_groups(os.path.join(work, "small"), args.small_files,
                            lambda r: pool.take(r.randint(1024, 8192)), rng)
        tools = ([] if args.no_wine else [ParcelWine("parcel.exe (Wine)", env, parcel_exe),
                                          FileFloorWine("file work alone (Wine)", env, file_floor)]) + \
            [Parcel("host build", env, parcel_host), InfoZip("Info-ZIP -6", env)]
        print(f"{'workload':<22}{'tool':<36}{'MiB':>8}{'compose MiB/s':>15}{'decompose MiB/s':>17}"
              f"{'compose s':>11}{'decompose s':>13}{'archive MiB':>13}")
        for label, groups in ((f"1 file of {args.big_mb} MB", big), (f"{args.small_files} small files", small)):
            results = measure(tools, groups, work, args.repeat)
            for tool in tools:
                for inside in tool.timings:
                    row = results[tool.name].row(label, tool.name, inside)
                    report["rows"].append(row)
                    print_row(row)
            wine = None if args.no_wine else results["parcel.exe (Wine)"]
            floor = None if args.no_wine else results["file work alone (Wine)"]
            goals = goals_of(label, wine, results["host build"], results["Info-ZIP -6"], floor)
            for goal in goals:
                print_goal(goal)
            report["goals"] += goals
            report["comparisons"] += comparisons_of(label, results["host build"], results["Info-ZIP -6"], wine, floor)
        # What a bare process start costs, for reading the small-file rows.
        starts = [("host build", [parcel_host])] + ([] if args.no_wine else [("parcel.exe (Wine)",
                                                                              ["wine", parcel_exe])])
        for name, command in starts:
            report["process_start_ms"][name] = round(start_cost_ms(command, env), 2)
            print(f"process start only: {name}: {report['process_start_ms'][name]:.0f} ms each")
    finally:
        shutil.rmtree(work, ignore_errors=True)
        if not args.no_wine:
            subprocess.run(["wineserver", "-k"], env=env)
    if args.json:
        os.makedirs(os.path.dirname(os.path.abspath(args.json)), exist_ok=True)
        with open(args.json, "w") as f:
            json.dump(report, f, indent=1)
        print(f"figures written to {args.json}")


if __name__ == "__main__":
    main()
