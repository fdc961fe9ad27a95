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
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
# Wine's background services (started by whichever program comes first)
# inherit its output; going through a file keeps them from holding the
# caller's pipe open, which would make ctest wait for ever.
output=$(mktemp)
status=0
wine "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
rm -f "$output"
exit $status
