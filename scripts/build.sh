#!/usr/bin/env bash
# Configures and builds the project.
#   scripts/build.sh [all|win32|win64|host|bench]   (default: all = win32 and host,
#                                                  and win64 where the tests need it)
# build/win32  the 32-bit Windows deliverables, Win32 tests and counterparts (MinGW-w64)
# build/win64  the same sources for x86_64: what the Win32 and end-to-end tiers run
#              on machines that cannot run 32-bit programs (scripts/wine-mode.sh)
# build/host   the platform-free code natively, under ASan and UBSan, with the fuzzers
# build/bench  the platform-free code natively, optimised, with the benchmarks
# VANTOR_BUILD_ROOT puts the three folders elsewhere (default: build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${VANTOR_BUILD_ROOT:-$root/build}
what=${1:-all}
jobs=$(nproc)
. "$root/scripts/wine-mode.sh"
vantor_decide_wine_mode

configure_and_build() {  # dir, cmake args...
  local dir=$1; shift
  if [ ! -f "$out/$dir/build.ninja" ]; then
    cmake -S "$root" -B "$out/$dir" -G Ninja "$@" >/dev/null
  fi
  cmake --build "$out/$dir" -j "$jobs"
}

case "$what" in
  win32|all)
    configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo ${VANTOR_DEPLOYMENT:+-DVANTOR_DEPLOYMENT=$VANTOR_DEPLOYMENT}
    ;;&
  win64|all)
    if [ "$what" = win64 ] || [ "$VANTOR_WINE_MODE" = win64 ]; then
      configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo ${VANTOR_DEPLOYMENT:+-DVANTOR_DEPLOYMENT=$VANTOR_DEPLOYMENT}
    fi
    ;;&
  host|all)
    configure_and_build host -DCMAKE_TOOLCHAIN_FILE="$root/cmake/host-clang.cmake" \
      -DCMAKE_BUILD_TYPE=Debug -DVANTOR_SANITIZE=ON
    ;;&
  bench)
    configure_and_build bench -DCMAKE_TOOLCHAIN_FILE="$root/cmake/host-clang.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DVANTOR_SANITIZE=OFF
    ;;
  win32|win64|host|all) ;;
  *) echo "usage: build.sh [all|win32|win64|host|bench]" >&2; exit 2 ;;
esac
