#!/usr/bin/env bash
# Sets up this machine, builds Uravik and runs it under Wine with data/ as its
# working directory (where it keeps ysave.dab, ytime.dab and yhist.dab;
# URAVIK_DATA_DIR names another). With no display it starts a virtual one and
# saves a screenshot of it. Ctrl+C closes Uravik as its close button would.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh

export WINEPREFIX=${WINEPREFIX:-$HOME/.uravik-wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A new Wine prefix takes a while to make: it is made while the build runs.
scripts/wine-prefix.sh &
prefix_pid=$!

# Only what this script starts: the program, the companions its buttons start
# and the manual; the tests and the benchmarks are left to scripts/test.sh.
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 --target uravik uvreader uvstat aboutuv uvmanual
data=${URAVIK_DATA_DIR:-data}
mkdir -p "$data"
for companion in uvmanual.txt; do
    [ -f "build/mingw-x64/$companion" ] && [ ! -f "$data/$companion" ] && cp "build/mingw-x64/$companion" "$data/"
done

wait "$prefix_pid"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
    display=99
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
    # In a session of its own, as Wine below: the terminal's Ctrl+C goes to
    # its whole foreground process group, and the X server would die of it
    # before the clean-up could close Uravik.
    setsid Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display"
    sleep 1
    echo "No display here: Uravik runs on the virtual display $DISPLAY."
    echo "  A screenshot is saved to $data/screenshot.png after 4 seconds; take another with"
    echo "    DISPLAY=$DISPLAY import -window root $data/screenshot.png"
    echo "  Press Ctrl+C to end Uravik."
    (sleep 4 && import -window root "$data/screenshot.png" 2>/dev/null &&
        echo "Saved $data/screenshot.png") &
fi
uravik_pid=""
cleanup() {
    trap '' INT TERM
    # Ask Uravik to close as the window's close button would, so that it
    # records the run's end, and wait for it; only then end what is left of
    # Wine, and the X server last.
    if [ -n "$uravik_pid" ]; then
        timeout 10 wine taskkill /im uravik.exe >/dev/null 2>&1 || true
        for _ in $(seq 50); do kill -0 "$uravik_pid" 2>/dev/null || break; sleep 0.2; done
    fi
    timeout 10 wineserver -w 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM
echo "The time list (Tidlista, $data/ytime.dab) grows only when another window comes"
echo "to lie directly above Uravik's. To see it grow, open one from another shell:"
echo "    DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX wine notepad"
echo "  then click Uravik's window and Notepad's in turn."
cd "$data"
# In a session of its own, where the terminal's Ctrl+C does not reach it (Wine
# would end the process at once): the script's own clean-up closes it
# properly instead.
setsid wine "$root/build/mingw-x64/uravik.exe" &
uravik_pid=$!
wait "$uravik_pid" || true
