#!/usr/bin/env bash
# Builds libxlsxwriter for the Windows programs: Debian's source package (apt-get source, through
# the deb-src entry tools/bootstrap.sh adds), cross-compiled with MinGW-w64 against
# libz-mingw-w64-dev as a static library, so Korvane.exe stays one file. The result goes to
# build/mingw-xlsxwriter (include/, lib/); a rerun finds it there and does nothing.
#
# Usage: tools/build_mingw_xlsxwriter.sh [PREFIX]   (default: build/mingw-xlsxwriter)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-$root/build/mingw-xlsxwriter}
stamp=$prefix/debian-version
# The same Debian version as the native library, so both builds write the same workbooks.
version=$(dpkg-query -W -f='${source:Version}' libxlsxwriter-dev)
if [ -f "$prefix/lib/libxlsxwriter.a" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$version" ]; then
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "build_mingw_xlsxwriter: libxlsxwriter $version for MinGW-w64"
(cd "$work" && apt-get source -qq --only-source "libxlsxwriter=$version" >/dev/null 2>&1) || {
  echo "build_mingw_xlsxwriter: apt-get source libxlsxwriter=$version failed" \
    "(is there a deb-src entry? tools/bootstrap.sh adds one)" >&2
  exit 1
}
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libxlsxwriter-*' | head -1)
# The bundled minizip and tmpfileplus, 32-bit file offsets as the static MinGW build wants, and
# the locale-independent number formatting.
cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=OFF -DUSE_DTOA_LIBRARY=ON \
  -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF >"$work/configure.log" 2>&1 || {
  cat "$work/configure.log" >&2
  exit 1
}
cmake --build "$work/build" >"$work/build.log" 2>&1 || { tail -40 "$work/build.log" >&2; exit 1; }
rm -rf "$prefix"
cmake --install "$work/build" >/dev/null
# The licences travel with the library.
mkdir -p "$prefix/share/licenses"
cp "$src/License.txt" "$prefix/share/licenses/libxlsxwriter.txt"
echo "$version" >"$stamp"
echo "build_mingw_xlsxwriter: installed in $prefix"
