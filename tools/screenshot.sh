#!/usr/bin/env bash
# Takes a screenshot of a Windows program of the cross build as a user sees it: under Wine, in a
# virtual X server, inside a Wine desktop window (so windows get their frames).
#
# Usage: tools/screenshot.sh OUT.png "WINDOW TITLE" [--cwd DIR] [--keys "xdotool key args"]
#                            [--crop WxH+X+Y] [--delay SECONDS] -- PROGRAM.exe [ARGS...]
#   Waits (up to 30 s) for a window with that title, sends the keys if given, waits a moment
#   (--delay, 1 s unless given: longer for a window that fills itself after it shows),
#   and saves the whole 1024x768 desktop, or the given part of it with --crop (windows inside a
#   Wine desktop are not X windows, so the part is given by its place on the desktop).
# Environment: KORVANE_WINEPREFIX (default build/wine-shots, made on first use).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$1 title=$2
shift 2
cwd=$(pwd) keys="" crop="" delay=1
while [ $# -gt 0 ]; do
  case $1 in
    --cwd) cwd=$2; shift 2 ;;
    --keys) keys=$2; shift 2 ;;
    --crop) crop=$2; shift 2 ;;
    --delay) delay=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "screenshot.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
export KORVANE_WINEPREFIX=${KORVANE_WINEPREFIX:-$here/build/wine-shots}
[ -d "$KORVANE_WINEPREFIX" ] || "$here/tests/gui/wine-setup.sh" "$KORVANE_WINEPREFIX" >/dev/null
out=$(realpath -m "$out")
cd "$cwd"
timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  . "$0/tests/gui/wine-env.sh"
  out=$1 title=$2 keys=$3 crop=$4 delay=$5; shift 5
  env $KORVANE_WINE_LOCALE wine explorer /desktop=Korvane,1024x768 "$@" &
  id=""
  for _ in $(seq 60); do
    id=$(xdotool search --name "^$title\$" 2>/dev/null | tail -1) && [ -n "$id" ] && break
    sleep 0.5
  done
  [ -n "$id" ] || { echo "screenshot.sh: no window titled $title" >&2; wineserver -k; exit 1; }
  sleep "$delay"
  [ -n "$keys" ] && { xdotool $keys; sleep 1; }
  import -window root "$out"
  [ -z "$crop" ] || convert "$out" -crop "$crop" +repage "$out"
  wineserver -k
' "$here" "$out" "$title" "$keys" "$crop" "$delay" "$@"
echo "saved $out"
