#!/usr/bin/env bash
# Reproduces the figures of docs/PERFORMANCE.md:
#   - CPU time and resident memory of uravik.exe idling under Wine, against a
#     minimal Win32 program with the same 100 ms timer, measured side by side
#     (scripts/measure-idle.sh);
#   - the time from start to the first painted window;
#   - the per-operation benchmarks (native Google Benchmark, paint under Wine).
# usage: scripts/measure-performance.sh [idle seconds per round, default 60] [rounds, default 3]
set -euo pipefail
cd "$(dirname "$0")/.."
idle_seconds=${1:-60}
idle_rounds=${2:-3}
build=$PWD/build/mingw-x64

scripts/setup.sh
cmake --preset native >/dev/null && cmake --build --preset native >/dev/null
cmake --preset mingw-x64 >/dev/null && cmake --build --preset mingw-x64 >/dev/null
export URAVIK_WINEPREFIX=${URAVIK_WINEPREFIX:-/tmp/uravik-wine-perf}

echo "== idle cost under Wine, against the baseline"
scripts/measure-idle.sh "$idle_seconds" "$idle_rounds"
echo "== start to first painted window under Wine"
scripts/wine-session.sh scripts/wine-run.sh "$build/first_paint.exe" "$build/uravik.exe" 5

echo "== per-operation benchmarks"
for bench in build/native/*_bench build/native/bench_*; do
    [ -x "$bench" ] && "$bench" --benchmark_min_time=0.2
done
for bench in "$build"/*bench*.exe; do
    [ -f "$bench" ] && scripts/wine-session.sh scripts/wine-run.sh "$bench"
done
