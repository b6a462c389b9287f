#!/usr/bin/env bash
# Every fault check in one command, ending with one table:
#   scripts/reliability.sh [--fuzz-minutes N] [--updates N] [--interruptions N]
#   1. each fuzz target of the host build for N minutes (default 1)
#   2. the download fault matrix and the login host with an untrusted certificate
#   3. N updates in a row on one installation (default 100), and updates that
#      are interrupted at random moments: the updater killed, then the whole
#      Wine prefix killed as a power loss would (default 3 of each)
# Installs what is missing and builds first, as scripts/test.sh does. The
# end-to-end checks run in a private network namespace (they bind fixed
# loopback addresses) in this machine's Wine mode (scripts/wine-mode.sh).
# The table also goes to build/reliability/summary.json; the exit status is
# non-zero when any check failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

fuzz_minutes=1 updates=100 interruptions=3
while [ $# -gt 0 ]; do
  case "$1" in
    --fuzz-minutes) fuzz_minutes=${2:?}; shift 2 ;;
    --updates) updates=${2:?}; shift 2 ;;
    --interruptions) interruptions=${2:?}; shift 2 ;;
    *) echo "usage: reliability.sh [--fuzz-minutes N] [--updates N] [--interruptions N]" >&2; exit 2 ;;
  esac
done
fuzz_seconds=$(awk -v m="$fuzz_minutes" 'BEGIN { s = int(m * 60); print (s < 1 ? 1 : s) }')

out=${VANTOR_BUILD_ROOT:-$root/build}
export VANTOR_BUILD_ROOT=$out
report=$out/reliability
rm -rf "$report"
mkdir -p "$report"
results=$report/results.tsv   # check, kind, runs, failed, findings, record

bash scripts/bootstrap.sh || exit 1
bash scripts/build.sh all || exit 1

echo "== fuzz targets, $fuzz_seconds s each =="
for seeds in "$out"/host/fuzz/*.seeds; do
  target=$(basename "$seeds" .seeds)
  log=$report/fuzz-$target.log
  echo "-- $target"
  bash scripts/fuzz.sh "$target" "$fuzz_seconds" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "fuzz $target" fuzz "${runs:-0}" "$([ $rc -eq 0 ] && echo 0 || echo 1)" \
    "$out/fuzz-findings/$target" "$log" >>"$results"
done

echo "== end-to-end fault checks (Wine, Xvfb, private network) =="
# Each selection writes its JUnit record, which the table reads afterwards, and a
# log that also holds the passing tests' output (the random seeds of the cuts).
unshare -n bash -c '
ip link set lo up
. scripts/wine-mode.sh
vantor_use_wine_mode "$0"
export WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
report=$1
run() {  # name, pytest arguments...
  local name=$1; shift
  echo "-- $name"
  VANTOR_E2E_ARTIFACTS=$report/e2e-$name /usr/bin/python3 -m pytest -q -rA -p no:cacheprovider \
    --junitxml="$report/$name.xml" "$@" >"$report/$name.log" 2>&1
  tail -1 "$report/$name.log"
}
run download-faults tests/e2e/test_updater_faults.py
run untrusted-login tests/e2e/test_login.py -k untrusted
export VANTOR_RELIABILITY=1 VANTOR_ENDURANCE_UPDATES=$2 VANTOR_INTERRUPTIONS=$3
run update-endurance tests/e2e/reliability/test_update_endurance.py -k in_a_row
run updater-killed tests/e2e/reliability/test_update_endurance.py -k updater_killed
run power-loss tests/e2e/reliability/test_update_endurance.py -k power_loss
' "$out" "$report" "$updates" "$interruptions"

for name in download-faults untrusted-login update-endurance updater-killed power-loss; do
  printf '%s\t%s\t\t\t%s\t%s\n' "$name" e2e "$report/e2e-$name" "$report/$name.log" >>"$results"
done

/usr/bin/python3 - "$results" "$report/summary.json" "$updates" "$interruptions" <<'EOF'
"""Reads the runs' records into one table and its JSON."""
import json
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

results, summary, updates, interruptions = sys.argv[1], Path(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
# How many runs one passing scenario test stands for.
SCENARIO_RUNS = {"update-endurance": updates, "updater-killed": interruptions, "power-loss": interruptions}
rows = []
for line in Path(results).read_text().splitlines():
    check, kind, runs, failed, findings, record = line.split("\t")
    if kind == "e2e":
        junit = Path(record).with_suffix(".xml")
        tests = bad = 0
        if junit.exists():
            for suite in ET.parse(junit).getroot().iter("testsuite"):
                tests += int(suite.get("tests", 0)) - int(suite.get("skipped", 0))
                bad += int(suite.get("failures", 0)) + int(suite.get("errors", 0))
        runs = tests * SCENARIO_RUNS.get(check, 1)
        # No record or no test run is a failure too: the check did not happen.
        failed = bad if tests else 1
    rows.append({"check": check, "runs": int(runs or 0), "failed": int(failed),
                 "result": "passed" if int(failed) == 0 else "FAILED", "findings": findings, "log": record})

summary.write_text(json.dumps({"checks": rows, "failed": sum(r["failed"] > 0 for r in rows)}, indent=2) + "\n")
width = max(len(r["check"]) for r in rows)
print(f"\n{'check':<{width}}  {'runs':>10}  {'result':<7}  findings")
for r in rows:
    print(f"{r['check']:<{width}}  {r['runs']:>10}  {r['result']:<7}  {r['findings']}")
print(f"\nsummary: {summary}")
sys.exit(1 if any(r["failed"] for r in rows) else 0)
EOF
