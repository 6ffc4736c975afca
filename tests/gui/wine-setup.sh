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
env $KORVANE_WINE_LOCALE wineboot --init >/dev/null 2>&1 || true
wineserver -w
reg=$(mktemp --suffix=.reg)
# FontSubstitutes maps the faces the program asks for; Wine rewrites some of those entries for
# its locale and substitutes only one level, so Replacements also gives the Japanese system faces
# that Wine itself picks ("MS UI Gothic" for dialogs under a Japanese locale) a real font.
faces_p=("ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma")
faces_m=("ＭＳゴシック" "ＭＳ ゴシック" "MS Gothic")
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  for key in 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
             'HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements'; do
    printf '[%s]\r\n' "$key"
    for f in "${faces_p[@]}"; do printf '"%s"="IPAPGothic"\r\n' "$f"; done
    for f in "${faces_m[@]}"; do printf '"%s"="IPAGothic"\r\n' "$f"; done
    printf '\r\n'
  done
  # No window manager runs in the virtual X server: a managed window would make Wine wait for one
  # (about two seconds) every time a dialog or message box is shown or hidden.
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
} | iconv -f UTF-8 -t UTF-16 > "$reg"
env $KORVANE_WINE_LOCALE wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
echo "wine prefix ready: $WINEPREFIX"
