#!/usr/bin/env bash
# Idle cost of uravik.exe against bench/idle_baseline_win32.cpp under Wine.
# Both run side by side in every round, each in a Wine prefix (and so a Wine
# server) of its own, so that the load of the machine hits both alike. Per
# round it prints the CPU time of each program's process, of its Wine
# server and their sum, the resident memory and the load average; at the end
# the medians and the ratios.
#
# usage: scripts/measure-idle.sh [seconds per round, default 60] [rounds, default 3]
# environment:
#   URAVIK_MEASURED_EXE  the program to measure (default build/mingw-x64/uravik.exe)
#   URAVIK_XENVIRONMENT  1 (default): a neutral XENVIRONMENT file for both, so
#                        Xlib does not look for ~/.Xdefaults on every font
#                        selection, as it does under a bare Xvfb; 0: none.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
rounds=${2:-3}
build=$PWD/build/mingw-x64
program=${URAVIK_MEASURED_EXE:-$build/uravik.exe}
baseline=$build/idle_baseline.exe
[ -f "$program" ] && [ -f "$baseline" ] || {
    echo "build uravik and idle_baseline first (mingw-x64 preset)" >&2
    exit 1
}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d /tmp/uravik-idle.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "${URAVIK_XENVIRONMENT:-1}" = 1 ]; then
    echo '! no resources' >"$work/xenvironment"
    export XENVIRONMENT=$work/xenvironment
fi

# One prefix per program, made once and kept warm by a persistent server.
prefix_u=$work/prefix-uravik
prefix_b=$work/prefix-baseline
for prefix in "$prefix_u" "$prefix_b"; do
    WINEPREFIX=$prefix scripts/wine-prefix.sh
    WINEPREFIX=$prefix wineserver -p
done
cleanup() {
    for prefix in "$prefix_u" "$prefix_b"; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# The pid of the newest process whose command line starts with $1 and whose
# environment names the prefix $2.
pid_of() {
    local pid found=
    for pid in $(pgrep -f "^$1"); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$2"; then
            found=$pid
        fi
    done
    echo "$found"
}

# CPU nanoseconds spent so far by all live threads of a process.
cpu_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'
}

rss_kb() {
    awk '/^VmRSS/ {print $2}' "/proc/$1/status"
}

start_in() {
    local dir=$1 prefix=$2 exe=$3
    mkdir -p "$dir"
    (cd "$dir" && WINEPREFIX=$prefix wine "$exe" >/dev/null 2>&1 &) 2>/dev/null
}

results=$work/results
: >"$results"
printf '%-5s %-8s %9s %9s %9s %9s %9s %9s %9s %9s  %s\n' round load uravik server sum rss \
    baseline server sum rss "(CPU ms, RSS kB)"
for round in $(seq 1 "$rounds"); do
    dir_u=$work/run-u-$round dir_b=$work/run-b-$round
    mkdir -p "$dir_u"
    # A state file and an empty log, so start-up shows no message box.
    printf '56   =Uppstarter\r\n312   =Timmar totalt\r\n05   =Minuter totalt\r\n48   =Sekunder totalt\r\n1203   =Applikationer totalt\r\n4000000\r\n\r\nSlut\r\n' >"$dir_u/ysave.dab"
    : >"$dir_u/ytime.dab"
    start_in "$dir_u" "$prefix_u" "$program"
    start_in "$dir_b" "$prefix_b" "$baseline"
    sleep 8 # past start-up
    pu=$(pid_of "$program" "$prefix_u") pb=$(pid_of "$baseline" "$prefix_b")
    su=$(pid_of '[^ ]*wineserver' "$prefix_u") sb=$(pid_of '[^ ]*wineserver' "$prefix_b")
    [ -n "$pu" ] && [ -n "$pb" ] && [ -n "$su" ] && [ -n "$sb" ] || {
        echo "a process is missing: '$pu' '$pb' '$su' '$sb'" >&2
        exit 1
    }
    load0=$(cut -d' ' -f1 /proc/loadavg)
    u0=$(cpu_ns "$pu") b0=$(cpu_ns "$pb") su0=$(cpu_ns "$su") sb0=$(cpu_ns "$sb")
    sleep "$seconds"
    u1=$(cpu_ns "$pu") b1=$(cpu_ns "$pb") su1=$(cpu_ns "$su") sb1=$(cpu_ns "$sb")
    load1=$(cut -d' ' -f1 /proc/loadavg)
    ru=$(rss_kb "$pu") rb=$(rss_kb "$pb")
    kill "$pu" "$pb"
    if [ $((u1 - u0)) -le 0 ] || [ $((b1 - b0)) -le 0 ] || [ $((su1 - su0)) -le 0 ] ||
        [ $((sb1 - sb0)) -le 0 ]; then
        echo "round $round dropped: a process ended or restarted during it" >&2
        continue
    fi
    awk -v r="$round" -v l="$load0-$load1" -v u=$((u1 - u0)) -v su=$((su1 - su0)) -v ru="$ru" \
        -v b=$((b1 - b0)) -v sb=$((sb1 - sb0)) -v rb="$rb" 'BEGIN {
        printf "%-5s %-8s %9.1f %9.1f %9.1f %9d %9.1f %9.1f %9.1f %9d\n", r, l, u / 1e6, su / 1e6,
            (u + su) / 1e6, ru, b / 1e6, sb / 1e6, (b + sb) / 1e6, rb
    }' | tee -a "$results"
    sleep 2
done

# Medians of each column and the ratios program / baseline.
awk -v s="$seconds" '
function median(col,   n, i, j, t, v) {
    n = 0
    for (i = 1; i <= NR; ++i) v[++n] = cell[i, col]
    for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
}
{ for (c = 3; c <= NF; ++c) cell[NR, c] = $c }
END {
    u = median(3); su = median(4); us = median(5); ru = median(6)
    b = median(7); sb = median(8); bs = median(9); rb = median(10)
    printf "median of %d rounds of %d s (CPU ms):\n", NR, s
    printf "  program CPU     uravik %7.1f  baseline %7.1f  ratio %.2f\n", u, b, u / b
    printf "  Wine server CPU uravik %7.1f  baseline %7.1f  ratio %.2f\n", su, sb, su / sb
    printf "  program+server  uravik %7.1f  baseline %7.1f  ratio %.2f\n", us, bs, us / bs
    printf "  resident kB     uravik %7d  baseline %7d  ratio %.3f\n", ru, rb, ru / rb
}' "$results"
echo "XENVIRONMENT neutral file: $([ -n "${XENVIRONMENT:-}" ] && echo yes || echo no)"
