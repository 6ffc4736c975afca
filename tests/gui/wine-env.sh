# Sourced by the scripts that run Windows programs under Wine: one prefix per build folder,
# quiet, no Mono/Gecko installers. Wine itself runs with a Japanese locale (KORVANE_WINE_LOCALE)
# so that Japanese texts get Japanese fonts.
: "${KORVANE_WINEPREFIX:=${WINEPREFIX:-$HOME/.korvane-wine}}"
export WINEPREFIX="$KORVANE_WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
KORVANE_WINE_LOCALE="LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8"
