#!/usr/bin/env bash
# Runs every test of the project from a fresh machine: installs what is
# missing, builds, then runs the three tiers and ends with their summaries.
#   1. host unit tests and short fuzz runs (native, ASan + UBSan)   build/host,
#      and the benchmark drivers' own tests (pytest, native)
#   2. Win32 unit tests (GoogleTest under Wine)                    build/win32
#      (build/win64 under 64-bit Wine where 32-bit programs cannot run)
#   3. end-to-end tests (pytest: the real programs under Wine and Xvfb)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/bootstrap.sh || exit 1
bash scripts/build.sh all || exit 1

export WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
status=0

echo "== host unit tests =="
(cd build/host && ctest --output-on-failure -j "$(nproc)") || status=1

echo "== benchmark drivers' own tests =="
/usr/bin/python3 -m pytest bench -q -p no:cacheprovider || status=1

# The Win32 and end-to-end tiers run the i686 build under Wine's 32-bit loader.
# Where the kernel cannot run 32-bit programs they run the same sources built
# for x86_64 under 64-bit Wine instead (scripts/wine-mode.sh), and say so.
. scripts/wine-mode.sh
vantor_use_wine_mode "${VANTOR_BUILD_ROOT:-$root/build}"
if [ "$VANTOR_WINE_MODE" = win64 ]; then
  echo "== this machine's kernel cannot run 32-bit programs: the Win32 and end-to-end tiers"
  echo "   run the x86_64 build ($VANTOR_BUILD_DIR) under 64-bit Wine =="
fi

echo "== Win32 unit tests (Wine, $VANTOR_WINE_MODE) =="
export WINEPREFIX="$VANTOR_BUILD_DIR/../wine-unit-prefix-$VANTOR_WINE_MODE"
rm -rf "$WINEPREFIX"
# The prefix is made, its first server left to end, and then one persistent
# server runs every test: tests started while the first server's system
# processes were going down got a second service manager, and each COM start
# then waited seconds for RpcSs. A first program with no output starts the
# system processes, so that they hold no test's output pipe open; it makes
# windows unmanaged, since with no window manager on the display Wine waited
# 2 s at each window's close for an answer that never came.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine wineboot -i >/dev/null 2>&1 && wineserver -w && wineserver -p >/dev/null 2>&1 &&
  wine reg add "HKCU\Software\Wine\X11 Driver" /v Managed /d N /f </dev/null >/dev/null 2>&1 &&
  cd "$VANTOR_BUILD_DIR" && ctest --output-on-failure' || status=1
wineserver -k 2>/dev/null || true
unset WINEPREFIX

echo "== end-to-end tests (Wine, Xvfb, $VANTOR_WINE_MODE) =="
/usr/bin/python3 -m pytest tests/e2e -q -p no:cacheprovider "$@"
rc=$?
[ $rc -ne 0 ] && status=1

exit $status
