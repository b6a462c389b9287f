#!/usr/bin/env python3
"""The operator's release beside hashing, then the update it makes beside its parts:

  parcel.exe release  under Wine (whole process), over an OLD client tree of
                      --mb MiB in --files files and a NEW one with --changed of
                      them changed (half the same size with other bytes, half
                      grown), both on a tmpfs
  sha256sum           natively over every file of both trees: what hashing the
                      two trees alone costs, the peer of a comparison by content

Goal: the release takes at most 1.2 times the hashing. Then the update this
release makes, timed as bench/download times one package: VantorUpdate.exe
installing it into a copy of OLD, whole, against its parts alone (the address
check, the download, DecomposeFile, the copies). Best of --repeat runs each.

Build first: scripts/build.sh win32 (or win64, with VANTOR_BUILD_DIR). Runs as
root (nginx on port 80); run it in a private network namespace:
    unshare -n bash -c 'ip link set lo up && /usr/bin/python3 bench/release/run_bench.py'

usage: run_bench.py [--mb 1024] [--files 10000] [--changed 0.05] [--repeat 3] [--work-dir /dev/shm] [--json FILE]
"""
import argparse
import importlib.util
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
from dataclasses import asdict
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
_DOWNLOAD_BENCH = importlib.util.spec_from_file_location("download_bench",
                                                         ROOT / "bench" / "download" / "run_bench.py")
download_bench = importlib.util.module_from_spec(_DOWNLOAD_BENCH)
_DOWNLOAD_BENCH.loader.exec_module(download_bench)   # also puts the repository and tests/e2e on sys.path

from counterparts.services.packages import development_key, make_release  # noqa: E402

BUILD = download_bench.BUILD
MIB = download_bench.MIB
GOAL_RELEASE_VS_HASHING = 1.2
FOLDERS = 40          # the data folders below the installation folder (one level, as a client has them)
TOP_LEVEL_FILES = 150


def tree_files(files, rng):
    """The relative paths ("\\" between folders) of a client tree: some files
    directly in the installation folder, the rest spread over the data folders."""
    paths = [f"file{i:04d}.dat" for i in range(min(TOP_LEVEL_FILES, files))]
    paths += [f"data{rng.randrange(FOLDERS):02d}\\file{i:05d}.pak" for i in range(len(paths), files)]
    return paths


def write_old_tree(old, paths, total, rng):
    """Files of sizes around total / len(paths), half of each random (no zip step
    makes it smaller) and half text, as game data is."""
    pool = os.urandom(8 * MIB)
    text = b"".join(f"item{i} = {rng.random():.6f}\r\n".encode() for i in range(200_000))
    mean = total // len(paths)
    for path in paths:
        size = max(1, int(rng.expovariate(1 / mean)))
        target = old / path.replace("\\", "/")
        target.parent.mkdir(parents=True, exist_ok=True)
        at = rng.randrange(len(pool))
        half = size // 2
        body = (pool[at:] + pool)[:half]
        body += (text * (1 + (size - half) // len(text)))[:size - half]
        target.write_bytes(body)


def change_new_tree(new, paths, share, rng):
    """Changes share of NEW's files: half keep their size with one byte other
    near the end (a comparison must read them whole), half grow. Gives the changed paths."""
    changed = rng.sample(paths, max(1, round(len(paths) * share)))
    for number, path in enumerate(changed):
        target = new / path.replace("\\", "/")
        data = bytearray(target.read_bytes())
        if number % 2:
            data += b"grown by the new client" * 40
        else:
            data[-1] ^= 0xFF
        target.write_bytes(bytes(data))
    return changed


def best_seconds(run, repeat):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return min(times)


def hash_both_trees(old, new):
    command = f"find '{old}' '{new}' -type f -print0 | xargs -0 sha256sum > /dev/null"
    subprocess.run(["bash", "-c", command], check=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mb", type=int, default=1024, help="MiB of each client tree")
    parser.add_argument("--files", type=int, default=10_000)
    parser.add_argument("--changed", type=float, default=0.05, help="share of NEW's files that changed")
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--work-dir", default="/dev/shm" if os.path.isdir("/dev/shm") else tempfile.gettempdir())
    parser.add_argument("--json", type=Path, default=download_bench.BUILD_ROOT / "bench" / "release.json")
    args = parser.parse_args()
    for path in (BUILD / "image" / "VantorUpdate.exe", BUILD / "tools" / "parcel.exe",
                 BUILD / "benchbin" / "recv_loop.exe"):
        if not path.exists():
            sys.exit(f"missing {path}: build with scripts/build.sh win32 (VANTOR_BUILD_DIR names another tree)")
    problem = download_bench.wine_problem()
    if problem:
        sys.exit(f"Wine cannot start on this machine: {problem}")

    rng = random.Random(21)
    with download_bench.bench_machine("release-bench-", args.work_dir) as bench:
        work, wine = bench.work, bench.wine
        print(f"making two client trees of {args.mb} MiB in {args.files} files in {work}", flush=True)
        old, new = work / "old", work / "new"
        shutil.copytree(BUILD / "image", old)
        paths = tree_files(args.files, rng)
        write_old_tree(old, paths, args.mb * MIB, rng)
        shutil.copytree(old, new)
        changed = change_new_tree(new, paths, args.changed, rng)

        archive = bench.server.folder / "release.vpk"
        made = {}

        def release():
            archive.unlink(missing_ok=True)
            made["release"] = make_release(wine, BUILD, old, new, archive, "2006.10.01",
                                           key=development_key(BUILD), timeout=1800)

        print("parcel.exe release against sha256sum over both trees", flush=True)
        ours = best_seconds(release, args.repeat)
        peer = best_seconds(lambda: hash_both_trees(old, new), args.repeat)
        items = made["release"].items
        if sorted(items) != sorted(changed):
            raise RuntimeError(f"the release took {len(items)} files; {len(changed)} changed")
        ratio = ours / peer
        label = f"release of {args.files} files, {args.mb} MiB, {len(changed)} changed"
        comparison = {"figure": f"{label} vs sha256sum over both trees", "ours_s": ours, "peer_s": peer,
                      "ratio": ratio, "goal": f"<= {GOAL_RELEASE_VS_HASHING:g}",
                      "met": ratio <= GOAL_RELEASE_VS_HASHING,
                      "note": "parcel.exe release under Wine, whole process; sha256sum natively; best of "
                              f"{args.repeat}"}
        print(f"  parcel.exe release  {ours:7.2f} s\n  sha256sum           {peer:7.2f} s\n"
              f"  ratio {ratio:.2f} (goal <= {GOAL_RELEASE_VS_HASHING:g}: "
              f"{'met' if comparison['met'] else 'MISSED'})", flush=True)

        rows = []
        mib = archive.stat().st_size / MIB
        section = (f"whole update of that release ({mib:.0f} MiB, {len(items)} files) against its parts, "
                   f"best of {args.repeat}")
        whole, parts = download_bench.measure_update(bench, args.repeat, rows, section, archive, items,
                                                     lambda item: new / item.replace("\\", "/"), base=old)
        goals = [download_bench.whole_update_goal(whole.best, parts),
                 download_bench.whole_update_without_check_goal(whole.best, parts)]
        for row in rows:
            print(f"  {row.client:<36} {row.best:8.2f} s   {row.inside}")
        for goal in goals:
            print(f"  {goal.name}: {goal.value:.2f} ({'met' if goal.met else 'MISSED'})")
        args.json.parent.mkdir(parents=True, exist_ok=True)
        args.json.write_text(json.dumps({
            "comparisons": [comparison],
            "rows": [dict(asdict(r), best=r.best, mib_per_s=r.rate) for r in rows],
            "goals": [dict(asdict(g), met=g.met) for g in goals]}, indent=2) + "\n")
        print(f"\nfigures written to {args.json}")


if __name__ == "__main__":
    main()
