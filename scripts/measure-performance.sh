#!/usr/bin/env bash
# Reproduces the figures of docs/PERFORMANCE.md:
#   - CPU time and resident memory of uravik.exe idling under Wine, against a
#     minimal Win32 program with the same 100 ms timer, measured side by side;
#   - the time from start to the first painted window;
#   - the per-operation benchmarks (native Google Benchmark, paint under Wine).
# usage: scripts/measure-performance.sh [idle seconds, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--idle-inside-session" ]; then
    idle_only=1
    idle_seconds=$2
else
    idle_only=0
    idle_seconds=${1:-60}
fi
build=$PWD/build/mingw-x64

# CPU seconds (user + system) and resident kB of the Linux process that runs
# the named Windows program.
cpu_and_rss() {
    local pid
    pid=$(pgrep -f "$1" | head -n 1)
    [ -n "$pid" ] || { echo "0 0"; return; }
    local ticks rss
    ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    echo "$(awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.2f", t / hz}') $rss"
}

idle_comparison() {
    local dir_u dir_b
    dir_u=$(mktemp -d) dir_b=$(mktemp -d)
    # A state file and an empty log, so start-up shows no message box.
    printf '56   =Uppstarter\r\n312   =Timmar totalt\r\n05   =Minuter totalt\r\n48   =Sekunder totalt\r\n1203   =Applikationer totalt\r\n4000000\r\n\r\nSlut\r\n' >"$dir_u/ysave.dab"
    : >"$dir_u/ytime.dab"
    (cd "$dir_u" && wine "$build/uravik.exe" >/dev/null 2>&1 &)
    (cd "$dir_b" && wine "$build/idle_baseline.exe" >/dev/null 2>&1 &)
    sleep 5  # past start-up
    read -r cpu_u0 _ < <(cpu_and_rss "^$build/uravik.exe")
    read -r cpu_b0 _ < <(cpu_and_rss "^$build/idle_baseline.exe")
    sleep "$idle_seconds"
    read -r cpu_u1 rss_u < <(cpu_and_rss "^$build/uravik.exe")
    read -r cpu_b1 rss_b < <(cpu_and_rss "^$build/idle_baseline.exe")
    awk -v u0="$cpu_u0" -v u1="$cpu_u1" -v b0="$cpu_b0" -v b1="$cpu_b1" -v ru="$rss_u" -v rb="$rss_b" -v s="$idle_seconds" 'BEGIN {
        cu = u1 - u0; cb = b1 - b0
        printf "idle %d s: uravik.exe CPU %.2f s, baseline CPU %.2f s, ratio %.2f\n", s, cu, cb, (cb > 0 ? cu / cb : 0)
        printf "resident memory: uravik.exe %d kB, baseline %d kB, ratio %.2f\n", ru, rb, (rb > 0 ? ru / rb : 0)
    }'
    pkill -f "^$build/(uravik|idle_baseline).exe" >/dev/null 2>&1 || true
    rm -rf "$dir_u" "$dir_b"
}
if [ "$idle_only" = 1 ]; then
    idle_comparison
    exit 0
fi

scripts/setup.sh
cmake --preset native >/dev/null && cmake --build --preset native >/dev/null
cmake --preset mingw-x64 >/dev/null && cmake --build --preset mingw-x64 >/dev/null
export URAVIK_WINEPREFIX=${URAVIK_WINEPREFIX:-/tmp/uravik-wine-perf}

echo "== idle cost under Wine"
scripts/wine-session.sh "$PWD/scripts/measure-performance.sh" --idle-inside-session "$idle_seconds"
echo "== start to first painted window under Wine"
scripts/wine-session.sh scripts/wine-run.sh "$build/first_paint.exe" "$build/uravik.exe" 5

echo "== per-operation benchmarks"
for bench in build/native/*_bench build/native/bench_*; do
    [ -x "$bench" ] && "$bench" --benchmark_min_time=0.2
done
for bench in "$build"/*bench*.exe; do
    [ -f "$bench" ] && scripts/wine-session.sh scripts/wine-run.sh "$bench"
done
