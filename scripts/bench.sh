#!/usr/bin/env bash
# Every performance figure beside its peer, in one run: sets up the machine,
# builds what the benchmarks need, runs them one after the other and prints
# one table (bench/report.py). Each benchmark's figures stay in
# build/bench/<name>.json and the table in build/bench/summary.json.
#   scripts/bench.sh [--quick]
#     --quick  small workloads and few repeats: a look at the figures in a few
#              minutes, not figures to quote
#   VANTOR_BENCH_ONLY="xml package download release launcher"  runs only those
# Runs as root: the download and launcher benchmarks bind loopback addresses
# (nginx on port 80) in a private network namespace of their own.
# Figures are only worth quoting from a quiet machine.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=${VANTOR_BUILD_ROOT:-$root/build}
quick=0
[ "${1:-}" = --quick ] && quick=1
only=${VANTOR_BENCH_ONLY:-xml package download release launcher}

bash scripts/bootstrap.sh || exit 1
. scripts/wine-mode.sh
vantor_use_wine_mode "$out"
bash scripts/build.sh bench || exit 1
bash scripts/build.sh "$VANTOR_WINE_MODE" || exit 1
if [ "$VANTOR_WINE_MODE" = win64 ]; then
  echo "== this machine's kernel cannot run 32-bit programs: the programs under Wine are"
  echo "   the x86_64 build ($VANTOR_BUILD_DIR) =="
fi

figures=$out/bench
mkdir -p "$figures"
status=0
wanted() { case " $only " in *" $1 "*) return 0 ;; *) return 1 ;; esac; }
# A fresh run leaves no earlier figures in the table.
for name in xml package download release launcher; do wanted $name && rm -f "$figures/$name.json"; done

# In a private network namespace, with the loopback interface up.
isolated() { unshare -n bash -c 'ip link set lo up && exec "$@"' isolated "$@"; }

if wanted xml; then
  echo "== XML reader beside pugixml and tinyxml2 =="
  if [ $quick = 1 ]; then reps=1; filter='manifest_(4KB|1MB)'; else reps=5; filter='manifest_'; fi
  # Interleaved, so that a slow spell of a shared machine falls on every reader alike.
  "$figures/bench/xml_bench" --benchmark_filter="$filter" --benchmark_repetitions=$reps \
    --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$figures/xml.json" --benchmark_out_format=json || status=1
fi

if wanted package; then
  echo "== update package beside Info-ZIP =="
  if [ $quick = 1 ]; then sizes=(--big-mb 20 --repeat 1); else sizes=(--big-mb 100 --repeat 3); fi
  /usr/bin/python3 bench/package/run_bench.py "${sizes[@]}" --small-files 1000 --bench-build "$figures" \
    --json "$figures/package.json" || status=1
fi

if wanted download; then
  echo "== download beside the bare 1 KiB loop, WinINet and curl =="
  if [ $quick = 1 ]; then sizes=(--mb 32 --update-mb 16 --repeat 1); else sizes=(--repeat 2); fi
  isolated /usr/bin/python3 bench/download/run_bench.py "${sizes[@]}" --work-dir /dev/shm \
    --json "$figures/download.json" || status=1
fi

if wanted release; then
  echo "== parcel release beside sha256sum over both trees, and the update it makes beside its parts =="
  if [ $quick = 1 ]; then sizes=(--mb 64 --files 1000 --repeat 1); else sizes=(--repeat 3); fi
  isolated /usr/bin/python3 bench/release/run_bench.py "${sizes[@]}" --work-dir /dev/shm \
    --json "$figures/release.json" || status=1
fi

if wanted launcher; then
  echo "== launcher start beside a bare dialog, update check with one slow host =="
  if [ $quick = 1 ]; then sizes=(--repeat 2 --slow 5); else sizes=(--repeat 5); fi
  isolated /usr/bin/python3 bench/launcher/run_bench.py "${sizes[@]}" --json "$figures/launcher.json" || status=1
fi

echo
echo "== every figure beside its peer =="
/usr/bin/python3 bench/report.py --dir "$figures" || status=1
exit $status
