# Sourced by the scripts that run Windows programs: decides how this machine runs them.
#   win32  the i686 deliverables under Wine's 32-bit loader, as the players run them.
#   win64  the kernel refuses 32-bit programs ("Exec format error": some virtual
#          machines run 64-bit user code only), so the same sources are also built
#          for x86_64 (build/win64) and the Win32 and end-to-end tiers run that
#          build under 64-bit Wine. The shipped programs stay the i686 ones.
# VANTOR_WINE_MODE set beforehand wins (to try the 64-bit road on any machine).

vantor_can_run_i386() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

vantor_decide_wine_mode() {
  if [ -z "${VANTOR_WINE_MODE:-}" ]; then
    if vantor_can_run_i386; then VANTOR_WINE_MODE=win32; else VANTOR_WINE_MODE=win64; fi
  fi
  export VANTOR_WINE_MODE
}

# Points the environment at the chosen build and Wine: $1 is the build root.
vantor_use_wine_mode() {
  local out=$1
  vantor_decide_wine_mode
  export VANTOR_BUILD_DIR=${VANTOR_BUILD_DIR:-$out/$VANTOR_WINE_MODE}
  export WINEARCH=$VANTOR_WINE_MODE VANTOR_WINEARCH=$VANTOR_WINE_MODE
  if [ "$VANTOR_WINE_MODE" = win64 ]; then
    # Debian's "wine" starts the 32-bit loader whenever it is installed, even
    # where it cannot run; this one starts the 64-bit loader.
    local shim=$out/wine64-bin
    mkdir -p "$shim"
    for name in wine wine-stable; do
      printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' > "$shim/$name"
      chmod +x "$shim/$name"
    done
    case ":$PATH:" in *":$shim:"*) ;; *) export PATH=$shim:$PATH ;; esac
  fi
}
