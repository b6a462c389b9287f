#!/usr/bin/env bash
# Runs one libFuzzer target of the host build for a given time.
#   scripts/fuzz.sh TARGET SECONDS
# TARGET is a fuzz program under build/host/fuzz (e.g. fuzz_xml); its seed corpus
# is tests/fuzz/<area>/corpus and what it learns goes to build/fuzz-corpus/TARGET.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: fuzz.sh TARGET SECONDS}
seconds=${2:-600}
bash "$root/scripts/build.sh" host >/dev/null
exe="$root/build/host/fuzz/$target"
[ -x "$exe" ] || { echo "no fuzz target $exe" >&2; exit 2; }
seeds=$(cat "$root/build/host/fuzz/$target.seeds")
work="$root/build/fuzz-corpus/$target"
mkdir -p "$work" "$root/build/fuzz-findings/$target"
"$exe" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$root/build/fuzz-findings/$target/" "$work" "$seeds"
