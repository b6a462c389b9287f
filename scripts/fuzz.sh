#!/usr/bin/env bash
# Runs one libFuzzer target of the host build for a given time.
#   scripts/fuzz.sh TARGET SECONDS
# TARGET is a fuzz program under build/host/fuzz (e.g. fuzz_xml); its seed corpus
# is tests/fuzz/<area>/corpus and what it learns goes to build/fuzz-corpus/TARGET.
# VANTOR_BUILD_ROOT puts build/ elsewhere, as for scripts/build.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: fuzz.sh TARGET SECONDS}
seconds=${2:-600}
out=${VANTOR_BUILD_ROOT:-$root/build}
bash "$root/scripts/build.sh" host >/dev/null
exe="$out/host/fuzz/$target"
[ -x "$exe" ] || { echo "no fuzz target $exe" >&2; exit 2; }
seeds=$(cat "$out/host/fuzz/$target.seeds")
work="$out/fuzz-corpus/$target"
mkdir -p "$work" "$out/fuzz-findings/$target"
"$exe" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$out/fuzz-findings/$target/" "$work" "$seeds"
