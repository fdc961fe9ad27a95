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
read -r -a programs <<<"${URAVIK_MEASURED_EXE:-$build/uravik.exe}"
baseline=$build/idle_baseline.exe
for exe in "$baseline" "${programs[@]}"; do
    [ -f "$exe" ] || {
        echo "no $exe: build uravik and idle_baseline first (mingw-x64 preset)" >&2
        exit 1
    }
done
all=("$baseline" "${programs[@]}")

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
for i in "${!all[@]}"; do
    WINEPREFIX=$work/prefix-$i scripts/wine-prefix.sh
    WINEPREFIX=$work/prefix-$i wineserver -p
done
cleanup() {
    for i in "${!all[@]}"; do
        WINEPREFIX=$work/prefix-$i wineserver -k 2>/dev/null || true
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

# CPU nanoseconds spent so far by the live threads of a process (a thread
# that ends takes its count with it; the round is then dropped).
cpu_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'
}

results=$work/results
: >"$results"
printf '%-5s %-11s %9s %9s %9s %8s  %s\n' round load program server sum "RSS kB" "(CPU ms)"
for round in $(seq 1 "$rounds"); do
    pids=() servers=()
    for i in "${!all[@]}"; do
        dir=$work/run-$i-$round
        mkdir -p "$dir"
        # A state file and an empty log, so start-up shows no message box.
        printf '56   =Uppstarter\r\n312   =Timmar totalt\r\n05   =Minuter totalt\r\n48   =Sekunder totalt\r\n1203   =Applikationer totalt\r\n4000000\r\n\r\nSlut\r\n' >"$dir/ysave.dab"
        : >"$dir/ytime.dab"
        (cd "$dir" && WINEPREFIX=$work/prefix-$i wine "${all[$i]}" >/dev/null 2>&1 &) 2>/dev/null
    done
    sleep 8 # past start-up
    for i in "${!all[@]}"; do
        pids[i]=$(pid_of "${all[$i]}" "$work/prefix-$i")
        servers[i]=$(pid_of '[^ ]*wineserver' "$work/prefix-$i")
        [ -n "${pids[i]}" ] && [ -n "${servers[i]}" ] || {
            echo "${all[$i]} or its server is not running" >&2
            exit 1
        }
    done
    load0=$(cut -d' ' -f1 /proc/loadavg)
    before=() after=()
    for i in "${!all[@]}"; do before[i]="$(cpu_ns "${pids[i]}") $(cpu_ns "${servers[i]}")"; done
    sleep "$seconds"
    for i in "${!all[@]}"; do after[i]="$(cpu_ns "${pids[i]}") $(cpu_ns "${servers[i]}")"; done
    load1=$(cut -d' ' -f1 /proc/loadavg)
    lines=()
    for i in "${!all[@]}"; do
        read -r p0 s0 <<<"${before[i]}"
        read -r p1 s1 <<<"${after[i]}"
        rss=$(awk '/^VmRSS/ {print $2}' "/proc/${pids[i]}/status")
        kill "${pids[i]}"
        if [ $((p1 - p0)) -le 0 ] || [ $((s1 - s0)) -le 0 ]; then
            echo "round $round dropped: ${all[$i]} or its server lost a thread" >&2
            lines=()
            break
        fi
        lines+=("$(awk -v r="$round" -v l="$load0-$load1" -v i="$i" -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v rss="$rss" \
            'BEGIN { printf "%-5s %-11s %9.1f %9.1f %9.1f %8d  %d\n", r, l, p / 1e6, s / 1e6, (p + s) / 1e6, rss, i }')")
    done
    for line in "${lines[@]}"; do
        echo "$line" >>"$results"
        i=${line##* }
        echo "${line% *} $(basename "${all[$i]}")"
    done
    sleep 2
done

# Medians per program and the ratios to the baseline (program 0).
echo "median of the rounds (CPU ms in $seconds s; ratio to the baseline):"
for i in "${!all[@]}"; do
    awk -v i="$i" -v name="$(basename "${all[$i]}")" '
    function median(col,   n, a, j, k, t) {
        n = 0
        for (j = 1; j <= rows; ++j) a[++n] = cell[j, col]
        for (j = 1; j <= n; ++j) for (k = j + 1; k <= n; ++k) if (a[k] < a[j]) { t = a[j]; a[j] = a[k]; a[k] = t }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    $7 == i { ++rows; for (c = 3; c <= 6; ++c) cell[rows, c] = $c }
    END {
        p = median(3); s = median(4); sum = median(5); rss = median(6)
        printf "  %-24s program %7.1f  server %7.1f  sum %7.1f  RSS %6d kB  (%d rounds)\n", name, p, s, sum, rss, rows
    }' "$results"
done | tee "$work/medians"
awk 'NR == 1 { p = $3; s = $5; sum = $7; rss = $9; next }
     { printf "  %-24s ratio: program %.2f  server %.2f  sum %.2f  RSS %.3f\n", $1, $3 / p, $5 / s, $7 / sum, $9 / rss }' "$work/medians"
echo "XENVIRONMENT neutral file: $([ -n "${XENVIRONMENT:-}" ] && echo yes || echo no)"
