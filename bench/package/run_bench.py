#!/usr/bin/env python3
"""Compose and decompose throughput of the package code, side by side:

  parcel.exe  the real Parcelkit.dll and v_zipfile.dll under Wine
  host        the same code built natively and optimised (build/bench)
  Info-ZIP    zip -6 / unzip doing the same work at the same level

Workloads: one file of 200 MB, and 2,000 small files (20 packages of 100 files,
since a package holds at most 100). Throughput is input megabytes (MiB) over wall
time, process starts included. Build first: scripts/build.sh win32 && scripts/build.sh bench

usage: run_bench.py [--big-mb 200] [--small-files 2000] [--repeat 2]
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PARCEL_EXE = os.path.join(ROOT, "build", "win32", "tools", "parcel.exe")
PARCEL_HOST = os.path.join(ROOT, "build", "bench", "bench", "parcel_host")
MANIFEST = b'<?xml version="1.0"?>\n<spkprotocol><version>1.0.1</version></spkprotocol>\n'


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
    def __init__(self, name, env):
        self.name, self.env = name, env

    def run(self, args, cwd=None):
        subprocess.run(args, cwd=cwd, env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


class ParcelWine(Tool):
    def compose(self, folder, out):
        self.run(["wine", PARCEL_EXE, "pack", winpath(folder), winpath(folder + "/updateFile.xml"),
                  winpath(out + "/p.pk")])
        return out + "/p.pkzip"

    def decompose(self, archive, target):
        self.run(["wine", PARCEL_EXE, "unpack", winpath(archive), winpath(target)])


class ParcelHost(Tool):
    def compose(self, folder, out):
        self.run([PARCEL_HOST, "pack", folder, folder + "/updateFile.xml", out + "/p.pk"])
        return out + "/p.pkzip"

    def decompose(self, archive, target):
        self.run([PARCEL_HOST, "unpack", archive, target])


class InfoZip(Tool):
    def compose(self, folder, out):
        self.run(["zip", "-q", "-6", "-j", out + "/p.zip"] + sorted(os.listdir(folder)), cwd=folder)
        return out + "/p.zip"

    def decompose(self, archive, target):
        self.run(["unzip", "-q", "-o", archive, "-d", target])


def measure(tool, groups, scratch, repeat):
    """Best wall time of compose over all groups, then of decompose; MiB/s each."""
    total = sum(folder_bytes(g) for g in groups)
    best_c = best_d = None
    for _ in range(repeat):
        shutil.rmtree(scratch, ignore_errors=True)
        archives = []
        start = time.perf_counter()
        for i, g in enumerate(groups):
            out = os.path.join(scratch, f"out{i:02d}")
            os.makedirs(out)
            archives.append(tool.compose(g, out))
        took_c = time.perf_counter() - start
        archived = sum(os.path.getsize(a) for a in archives)
        targets = []
        for i in range(len(groups)):
            targets.append(os.path.join(scratch, f"target{i:02d}"))
            os.makedirs(targets[-1])
        start = time.perf_counter()
        for archive, target in zip(archives, targets):
            tool.decompose(archive, target)
        took_d = time.perf_counter() - start
        for g, t in zip(groups, targets):  # the same files must come back
            for name in os.listdir(g):
                if name.endswith(".bin"):
                    with open(os.path.join(g, name), "rb") as a, open(os.path.join(t, name), "rb") as b:
                        if a.read() != b.read():
                            sys.exit(f"{tool.name}: {name} differs after the round trip")
        best_c = took_c if best_c is None else min(best_c, took_c)
        best_d = took_d if best_d is None else min(best_d, took_d)
    mib = total / (1 << 20)
    return mib, mib / best_c, mib / best_d, best_c, best_d, archived / (1 << 20)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--big-mb", type=int, default=200)
    parser.add_argument("--small-files", type=int, default=2000)
    parser.add_argument("--repeat", type=int, default=2)
    args = parser.parse_args()
    for path in (PARCEL_EXE, PARCEL_HOST):
        if not os.path.exists(path):
            sys.exit(f"missing {path}: build with scripts/build.sh win32 and scripts/build.sh bench")

    env = dict(os.environ, WINEARCH="win32", WINEDEBUG="-all", LC_ALL="zh_CN.UTF-8")
    env.setdefault("WINEPREFIX", os.path.join(tempfile.gettempdir(), "parcel-bench-prefix"))
    if not os.path.isdir(env["WINEPREFIX"]):
        subprocess.run(["wineboot", "-i"], env=env, check=True, capture_output=True)
    # A resident wineserver, so that each parcel.exe start does not pay for one.
    subprocess.run(["wineserver", "-p"], env=env)  # exits 2 when one already runs
    subprocess.run(["wine", PARCEL_EXE], env=env, capture_output=True)  # warm up

    rng = random.Random(7)
    pool = TextPool(rng)
    work = tempfile.mkdtemp(prefix="parcel-bench-")
    try:
        big = make_groups(os.path.join(work, "big"), 2, lambda r: pool.take(args.big_mb << 20), rng)
        small = make_groups(os.path.join(work, "small"), args.small_files,
                            lambda r: pool.take(r.randint(1024, 8192)), rng)
        tools = [ParcelWine("parcel.exe (Wine)", env), ParcelHost("host build", env), InfoZip("Info-ZIP -6", env)]
        print(f"{'workload':<22}{'tool':<20}{'MiB':>8}{'compose MiB/s':>15}{'decompose MiB/s':>17}"
              f"{'compose s':>11}{'decompose s':>13}{'archive MiB':>13}")
        for label, groups in ((f"1 file of {args.big_mb} MB", big), (f"{args.small_files} small files", small)):
            for tool in tools:
                mib, c, d, tc, td, zipped = measure(tool, groups, os.path.join(work, "scratch"), args.repeat)
                print(f"{label:<22}{tool.name:<20}{mib:8.1f}{c:15.1f}{d:17.1f}{tc:11.2f}{td:13.2f}{zipped:13.1f}",
                      flush=True)
        # What a bare process start costs, for reading the small-file rows.
        for name, command in (("parcel.exe (Wine)", ["wine", PARCEL_EXE]), ("host build", [PARCEL_HOST])):
            start = time.perf_counter()
            for _ in range(20):
                subprocess.run(command, env=env, capture_output=True)
            print(f"process start only: {name}: {(time.perf_counter() - start) / 20 * 1000:.0f} ms each")
    finally:
        shutil.rmtree(work, ignore_errors=True)
        subprocess.run(["wineserver", "-k"], env=env)


if __name__ == "__main__":
    main()
