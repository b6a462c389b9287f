#!/usr/bin/env bash
# Installs everything the build, the demo and the tests need, from Debian's packages.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  g++-mingw-w64-i686 mingw-w64-tools libz-mingw-w64-dev
  wine wine32:i386 xvfb xauth xdotool imagemagick fonts-wqy-microhei
  python3-pytest openssl cmake ninja-build googletest
  clang-14 libclang-rt-14-dev
  libpugixml-dev libtinyxml2-dev libbenchmark-dev zlib1g-dev
  zip unzip e2fsprogs nginx-light curl osslsigncode nsis
)

install_missing() {  # package names, with :arch where needed
  local missing=() p name arch query
  for p in "$@"; do
    name=${p%%:*}
    arch=${p#*:}; [ "$arch" = "$p" ] && arch=""
    query=$name; [ -n "$arch" ] && query="$name:$arch"
    if ! dpkg-query -W -f='${Status}' "$query" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  local SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "bootstrap: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"

# The programs run in the Chinese locale (Wine takes code page 936 from its name);
# made for real, Wine can also write file names in Chinese, such as the
# installer's shortcuts. A French locale gives one test a machine of code page 1252.
as_root() { if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi; }
for wanted in zh_CN fr_FR; do
  if ! locale -a 2>/dev/null | grep -qix "$wanted\.utf-\?8"; then
    install_missing locales
    as_root localedef -i "$wanted" -f UTF-8 "$wanted.UTF-8"
  fi
done

# Where the kernel cannot run 32-bit programs the tests run an x86_64 build
# under 64-bit Wine: its compiler and loader come too.
. "$(dirname "$0")/wine-mode.sh"
vantor_decide_wine_mode
if [ "$VANTOR_WINE_MODE" = win64 ]; then
  install_missing wine64 g++-mingw-w64-x86-64-posix
fi
echo "bootstrap: all packages present (Windows programs run as $VANTOR_WINE_MODE)"
