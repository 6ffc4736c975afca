#!/usr/bin/env bash
# Installs what building and testing Korvane needs on Debian 12, when it is missing.
# Does nothing when everything is there. Runs as root, or through sudo.
#   tools/bootstrap.sh         everything ./test and ./release need
#   tools/bootstrap.sh --run   only what ./run needs: the compiler, CMake, Ninja, the libraries
set -euo pipefail
run_packages=(cmake ninja-build g++ nlohmann-json3-dev libxlsxwriter-dev zlib1g-dev)
packages=(
  cmake ninja-build g++ python3 clang clang-format clang-tidy libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth xdotool imagemagick fonts-ipafont-gothic locales
  weasyprint python3-markdown nlohmann-json3-dev
  libxlsxwriter-dev zlib1g-dev python3-openpyxl libz-mingw-w64-dev dpkg-dev
)
if [ "${1:-}" = "--run" ]; then
  packages=("${run_packages[@]}")
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
[ "${1:-}" = "--run" ] && exit 0
# Wine runs the Windows programs with a Japanese locale, as on a Japanese Windows: it needs the
# system locale to store Japanese file names.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "bootstrap: generating the ja_JP.UTF-8 locale"
  $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
# The Windows programs link libxlsxwriter built from Debian's source package
# (tools/build_mingw_xlsxwriter.sh), which apt-get source finds through a deb-src entry.
added=$($sudo python3 "$(dirname "$0")/add_deb_src.py")
if [ -n "$added" ]; then
  echo "bootstrap: added deb-src entries in $added"
  $sudo apt-get update -qq
fi
