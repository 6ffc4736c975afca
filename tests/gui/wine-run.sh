#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine (CMake's cross-compiling emulator).
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
exec env $KORVANE_WINE_LOCALE wine "$@"
