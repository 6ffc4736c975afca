#!/usr/bin/env bash
# Makes a fresh Wine prefix for one test run and maps the fonts the program asks for to the IPA
# Gothic fonts (fonts-ipafont-gothic) through the FontSubstitutes key.
# Usage: wine-setup.sh PREFIX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export KORVANE_WINEPREFIX=$1
. "$here/wine-env.sh"
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot --init >/dev/null 2>&1 || true
wineserver -w
reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
  printf '"ＭＳゴシック"="IPAGothic"\r\n'
  printf '"ＭＳ ゴシック"="IPAGothic"\r\n'
  printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
  printf '"MS UI Gothic"="IPAPGothic"\r\n'
  printf '"MS Shell Dlg"="IPAPGothic"\r\n'
  printf '"MS Shell Dlg 2"="IPAPGothic"\r\n'
  printf '"Tahoma"="IPAPGothic"\r\n'
  printf '\r\n'
} | iconv -f UTF-8 -t UTF-16 > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
echo "wine prefix ready: $WINEPREFIX"
