#!/bin/sh
# Makes the Wine prefix once: every program in it runs inside one virtual
# desktop, whose captions and Z order Wine draws and owns, as on Windows.
set -e
: "${WINEPREFIX:=${URAVIK_WINEPREFIX:-/tmp/uravik-wine}}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
[ -f "$WINEPREFIX/.uravik-ready" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# Wine's own fonts (Debian's fonts-wine) where every program finds them:
# without Marlett the caption buttons show letters instead of symbols.
if [ -d /usr/share/wine/fonts ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
wineserver -w
touch "$WINEPREFIX/.uravik-ready"
