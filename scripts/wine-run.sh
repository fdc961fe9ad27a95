#!/bin/sh
# Runs a Windows program under Wine with this project's defaults: a quiet
# Wine, a prefix of its own, no offers to install Mono or Gecko, and a
# virtual display when there is none. ctest uses it as the emulator.
set -e
: "${WINEPREFIX:=${URAVIK_WINEPREFIX:-/tmp/uravik-wine}}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-prefix.sh"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
