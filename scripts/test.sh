#!/usr/bin/env bash
# Runs every test of the project from a fresh machine: installs what is
# missing, builds, then runs the three tiers and ends with their summaries.
#   1. host unit tests and short fuzz runs (native, ASan + UBSan)   build/host,
#      and the benchmark drivers' own tests (pytest, native)
#   2. Win32 unit tests (GoogleTest under Wine)                    build/win32
#   3. end-to-end tests (pytest: the real programs under Wine and Xvfb)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/bootstrap.sh || exit 1
bash scripts/build.sh all || exit 1

export WINEARCH=win32 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
status=0

echo "== host unit tests =="
(cd build/host && ctest --output-on-failure -j "$(nproc)") || status=1

echo "== benchmark drivers' own tests =="
/usr/bin/python3 -m pytest bench -q -p no:cacheprovider || status=1

# The Win32 and end-to-end tiers run 32-bit programs through Wine's 32-bit
# loader. Some virtual machines' kernels cannot run 32-bit programs at all
# (the loader fails with "Exec format error"): there those tiers are skipped,
# said loudly, and only the host tier counts.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1 && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "== Win32 unit tests and end-to-end tests: NOT RUN =="
  echo "this machine's kernel cannot run 32-bit programs (Wine's 32-bit loader fails:"
  echo "  $( { /lib/ld-linux.so.2 --version 2>&1 || true; } | head -1))"
  echo "so the Win32 programs were built but not run. Run scripts/test.sh on a machine that runs i386 programs."
  exit $status
fi

echo "== Win32 unit tests (Wine) =="
export WINEPREFIX="$root/build/wine-unit-prefix"
rm -rf "$WINEPREFIX"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wineboot -i >/dev/null 2>&1 && cd build/win32 && ctest --output-on-failure' || status=1
wineserver -k 2>/dev/null || true
unset WINEPREFIX

echo "== end-to-end tests (Wine, Xvfb) =="
/usr/bin/python3 -m pytest tests/e2e -q -p no:cacheprovider "$@"
rc=$?
[ $rc -ne 0 ] && status=1

exit $status
