#!/usr/bin/env bash
# Measures how many small faults the tests catch: applies each mutation of
# scripts/mutations.txt in turn, rebuilds, runs the tests and restores the
# file. A mutation of the portable code runs against the native tests in
# build/mutate; one of a Windows-only file (a name with "_win32", a "win32/"
# folder, the companions' reader/, stat/ and about/ folders) runs against
# the Win32 and end-to-end tests under Wine, built in build/mutate-x64 like
# the mingw-x64 preset.
#
#   scripts/mutate.sh              every mutation, both sides
#   scripts/mutate.sh 3 7 12       those ids
#   scripts/mutate.sh clock call   those whose file contains a word, or of a kind
#   scripts/mutate.sh --portable   only the portable side (or --win32: only Wine)
#   scripts/mutate.sh --check      only whether each original text is found
#
# A mutation whose original text is not found exactly once is "stale": the
# code moved on, and it counts neither way. One that does not compile counts
# as caught but is named apart; it proves nothing about the tests.
#
# Under Wine every ctest entry runs on its own, the quickest first (as timed
# by the unmutated pass), through scripts/wine-session.sh, and the first that
# fails stops the run. An end-to-end test can fail by chance under load, so
# an entry catches only when it fails twice in a row. The Wine prefix is made
# once per run (a new one under /tmp, removed at the end, unless
# URAVIK_WINEPREFIX names one to reuse). The unmutated Win32 pass takes about
# four minutes (two of them the test of the time away, which runs last); a
# surviving mutation costs as long, a caught one less.
#
# The sources are changed in place while it runs: build nothing else from
# this tree meanwhile. Every changed file gets its bytes back, also on Ctrl-C.
#
# Environment: MUTATE_TARGETS (the native test programs to build,
# space-separated), MUTATE_TIMEOUT (seconds per native test, default 60),
# MUTATE_JOBS (native ctest -j), MUTATE_WINE_TIMEOUT (seconds per Wine entry
# in the unmutated pass, default 900; a mutated pass allows each entry three
# times its unmutated time and 30 s more), MUTATE_EARLIER (an earlier run's
# output: the Wine entry that caught a mutation then runs first),
# MUTATE_EVERY_CATCHER=1 (the native tests run whole for each mutation, and
# the closing table says what each test alone catches).
set -uo pipefail
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
cd "$(dirname "$0")/.." || exit 2
export LC_ALL=C
shopt -u patsub_replacement 2>/dev/null || true

# Runs the entries named with their time limits ("name seconds ...") in
# order inside one Wine session, each entry on its own so that the first
# failure stops the rest. A failure counts only when the second try fails
# too. Notes each entry's seconds, the one that failed, and the ones that
# passed only at the second try. Called through this script again, as
# "--run-wine-entries": it runs under wine-session.sh, in a shell of its own.
run_wine_entries() {
    local dir=$1 notes=$2 name limit start
    shift 2
    while [ $# -gt 0 ]; do
        name=$1 limit=$2
        shift 2
        start=$SECONDS
        # In the C locale Wine cannot name a file whose name is not ASCII,
        # as some tests do: they run in a UTF-8 one.
        if ! LC_ALL=C.UTF-8 ctest --test-dir "$dir" -R "^$name\$" --timeout "$limit" --repeat until-pass:2 \
            --output-on-failure >"$notes/entry.log" 2>&1; then
            echo "$name" >"$notes/failed"
            return 1
        fi
        echo "$name $((SECONDS - start))" >>"$notes/seconds"
        grep -q '\*\*\*' "$notes/entry.log" && echo "$name" >>"$notes/flaky"
    done
    return 0
}
if [ "${1:-}" = --run-wine-entries ]; then
    shift
    run_wine_entries "$@"
    exit
fi

table=scripts/mutations.txt
build=build/mutate
targets=${MUTATE_TARGETS:-"uravik_core_tests uravik_fault_sweep_tests uvlog_tests uvreport make_sample_log"}
timeout=${MUTATE_TIMEOUT:-60}
jobs=${MUTATE_JOBS:-2}
every_catcher=${MUTATE_EVERY_CATCHER:-0}
wine_build=build/mutate-x64
wine_timeout=${MUTATE_WINE_TIMEOUT:-900}

check_only=0
sides=()
selectors=()
for arg in "$@"; do
    case $arg in
        --check) check_only=1 ;;
        --portable) sides+=(portable) ;;
        --win32) sides+=(win32) ;;
        -h | --help)
            sed -n '2,/^[^#]/{/^#/p}' "$0" | sed 's/^# \{0,1\}//'
            exit 0
            ;;
        *) selectors+=("$arg") ;;
    esac
done
[ ${#sides[@]} -eq 0 ] && sides=(portable win32)

# Which build and tests a file's mutations run against: Windows-only code
# does not compile natively, so only the tests under Wine can catch them.
side_of() {
    case /$1 in
        *_win32.* | */win32/* | */companions/reader/* | */companions/stat/* | \
            */companions/about/* | *.rc) echo win32 ;;
        *) echo portable ;;
    esac
}

# --- the table -------------------------------------------------------------
ids=() kinds=() files=() originals=() replacements=()
parse_table() {
    local line n=0 state=header
    while IFS= read -r line || [ -n "$line" ]; do
        n=$((n + 1))
        case $line in '#'* | '') continue ;; esac
        case $state in
            header)
                local id kind file rest
                read -r id kind file rest <<<"$line"
                if ! [[ $id =~ ^[0-9]+$ ]] || [ -z "$file" ] || [ -n "$rest" ]; then
                    echo "$table:$n: expected '<id> <kind> <file>'" >&2
                    exit 2
                fi
                ids+=("$id") kinds+=("$kind") files+=("$file")
                state=original
                ;;
            original)
                if [[ $line != '- '?* ]]; then
                    echo "$table:$n: expected '- <original text>'" >&2
                    exit 2
                fi
                originals+=("${line#- }")
                state=replacement
                ;;
            replacement)
                if [[ $line != '+ '* && $line != '+' ]]; then
                    echo "$table:$n: expected '+ <replacement text>'" >&2
                    exit 2
                fi
                local text=${line#+}
                replacements+=("${text# }")
                state=header
                ;;
        esac
    done <"$table"
    if [ "$state" != header ]; then
        echo "$table: the last record is incomplete" >&2
        exit 2
    fi
    local sorted
    sorted=$(printf '%s\n' "${ids[@]}" | sort -n | uniq -d)
    if [ -n "$sorted" ]; then
        echo "$table: ids used twice: $sorted" >&2
        exit 2
    fi
}

selected() {
    local i=$1 s
    [[ " ${sides[*]} " == *" $(side_of "${files[i]}") "* ]] || return 1
    [ ${#selectors[@]} -eq 0 ] && return 0
    for s in "${selectors[@]}"; do
        if [[ $s =~ ^[0-9]+$ ]]; then
            [ "$s" = "${ids[i]}" ] && return 0
        elif [[ ${files[i]} == *"$s"* || ${kinds[i]} == "$s" ]]; then
            return 0
        fi
    done
    return 1
}

# Reads a file whole, trailing line ends included.
read_whole() {
    local text
    text=$(
        cat -- "$1"
        printf x
    ) || return 1
    printf '%s' "${text%x}"
}

# How many times $2 occurs in $1.
occurrences() {
    local rest=${1//"$2"/}
    echo $(((${#1} - ${#rest}) / ${#2}))
}

# --- restoring -------------------------------------------------------------
backup_dir=$(mktemp -d)
mutated_file=
wine_prefix=${URAVIK_WINEPREFIX:-}
own_prefix=0
restore() {
    if [ -n "$mutated_file" ]; then
        # Copied back, not moved: the file keeps its inode and gets a new
        # time, so the next build compiles the original again.
        cp -- "$backup_dir/original" "$mutated_file"
        mutated_file=
    fi
}
finish() {
    restore
    if [ "$own_prefix" -eq 1 ]; then
        WINEPREFIX=$wine_prefix wineserver -k 2>/dev/null
        rm -rf "$wine_prefix"
    fi
    rm -rf "$backup_dir"
}
trap finish EXIT
trap 'echo; echo "interrupted: the sources are restored"; exit 130' INT TERM HUP

# --- the portable side: the native tests -----------------------------------
configure_portable() {
    [ -f "$build/CMakeCache.txt" ] && return 0
    # Configured like the native preset; "OFF" keeps the clang fuzz targets
    # out, which no mutation run needs.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DURAVIK_CLANGXX=OFF >"$backup_dir/configure.log" 2>&1
}

build_portable() {
    # shellcheck disable=SC2086 # the target list is split on purpose
    cmake --build "$build" --target $targets >"$backup_dir/build.log" 2>&1
}

run_portable() {
    local stop=--stop-on-failure
    [ "$every_catcher" = 1 ] && stop=
    ctest --test-dir "$build" -E '_NOT_BUILT$' --timeout "$timeout" -j "$jobs" \
        $stop >"$backup_dir/ctest.log" 2>&1
}

# Every entry of ctest's closing list, space-separated.
every_failed_portable() {
    sed -n '/tests FAILED:/,${s/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p}' "$backup_dir/ctest.log" |
        tr '\n' ' '
}

# The first entry of ctest's closing list: "  12 - Suite.Case (Failed)".
failed_portable() {
    sed -n '/tests FAILED:/{n;s/^[[:space:]]*[0-9]* - //p;q}' "$backup_dir/ctest.log"
}

unmutated_portable() {
    total_tests=$(sed -n 's/.*tests failed out of \([0-9]*\)/\1/p' "$backup_dir/ctest.log")
    echo "   $total_tests tests pass"
    local unbuilt
    unbuilt=$(ctest --test-dir "$build" -N 2>/dev/null | sed -n 's/.*Test *#[0-9]*: \(.*\)_NOT_BUILT$/\1/p')
    if [ -n "$unbuilt" ]; then
        echo "   not built, so not run (add to MUTATE_TARGETS if they test the core):" "${unbuilt//$'\n'/ }"
    fi
}

# --- the Win32 side: the Win32 and end-to-end tests under Wine --------------
wine_entries=() # ctest's entries in the order they run
wine_limits=()  # and the seconds each may take
wine_targets=

configure_win32() {
    if [ ! -f "$wine_build/CMakeCache.txt" ]; then
        cmake -S . -B "$wine_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-x86_64.cmake" \
            >"$backup_dir/configure.log" 2>&1 || return 1
    fi
    # Every entry but the fixtures' set-up and clean-up, which ctest adds
    # itself to the entry that needs them, with the programs it runs: the
    # build makes those (and what they depend on) and nothing else.
    local listing name rest
    listing=$(ctest --test-dir "$wine_build" --show-only=json-v1 | python3 -c '
import json, os, sys
for test in json.load(sys.stdin)["tests"]:
    properties = {p["name"] for p in test.get("properties", [])}
    if properties & {"FIXTURES_SETUP", "FIXTURES_CLEANUP"} or test["name"].endswith("_NOT_BUILT"):
        continue
    programs = [os.path.basename(a)[:-4] for a in test.get("command", []) if a.endswith(".exe")]
    print(test["name"], *programs)') || return 1
    while read -r name rest; do
        wine_entries+=("$name")
        wine_limits+=("$wine_timeout")
        wine_targets+=" $rest"
    done <<<"$listing"
    [ ${#wine_entries[@]} -gt 0 ] || return 1
    # A prefix just made may not have its temporary folder yet, where the
    # end-to-end tests make theirs: one program run settles it.
    LC_ALL=C.UTF-8 WINEPREFIX=$wine_prefix URAVIK_WINEPREFIX=$wine_prefix scripts/wine-session.sh \
        wine cmd /c 'if not exist "%TEMP%" mkdir "%TEMP%"' >>"$backup_dir/configure.log" 2>&1
}

build_win32() {
    # shellcheck disable=SC2086 # the target list is split on purpose
    cmake --build "$wine_build" --target $wine_targets >"$backup_dir/build.log" 2>&1
}

run_win32() {
    local notes=$backup_dir/wine i plan=() first=" ${1:-} " pass named
    rm -rf "$notes" && mkdir -p "$notes"
    # The entries named first (the one that caught this mutation in an
    # earlier run, say), then the rest in their order.
    for pass in yes no; do
        for ((i = 0; i < ${#wine_entries[@]}; i++)); do
            named=no
            [[ $first == *" ${wine_entries[i]} "* ]] && named=yes
            [ "$named" = "$pass" ] || continue
            plan+=("${wine_entries[i]}" "${wine_limits[i]}")
        done
    done
    LC_ALL=C.UTF-8 WINEPREFIX=$wine_prefix URAVIK_WINEPREFIX=$wine_prefix scripts/wine-session.sh \
        "$self" --run-wine-entries "$wine_build" "$notes" "${plan[@]}" \
        >"$backup_dir/ctest.log" 2>&1
    local status=$?
    cat "$notes/entry.log" >>"$backup_dir/ctest.log" 2>/dev/null
    # Wine or the display failing before any entry ran catches nothing.
    if [ $status -ne 0 ] && [ ! -f "$notes/failed" ]; then
        tail -n 40 "$backup_dir/ctest.log"
        echo "the Wine session failed (status $status): stopped" >&2
        exit 2
    fi
    return $status
}

# The entry that failed, with the first test case it names.
failed_win32() {
    local entry case
    entry=$(cat "$backup_dir/wine/failed" 2>/dev/null)
    [ -n "$entry" ] || return 0
    case=$(sed -n 's/^\[  FAILED  \] \([^ ]*\).*/\1/p' "$backup_dir/wine/entry.log" | head -n 1)
    if [ -z "$case" ] && grep -q '\*\*\*Timeout' "$backup_dir/wine/entry.log"; then
        case=timeout
    fi
    echo "$entry${case:+ ($case)}"
}

# The entry that caught mutation $1 in an earlier run's output
# (MUTATE_EARLIER): it runs first, so that a run after the tests changed
# confirms the same catches quickly.
earlier_catcher() {
    [ -n "${MUTATE_EARLIER:-}" ] || return 0
    sed -n "s/^ *$1 win32 [^:]*: caught by \([^ ]*\).*/\1/p" "$MUTATE_EARLIER" | head -n 1
}

# Which entries passed only at the second try, for the status line.
flaky_win32() {
    [ -f "$backup_dir/wine/flaky" ] && echo "; flaky once: $(tr '\n' ' ' <"$backup_dir/wine/flaky")"
}

# After the unmutated pass: the quickest entries first, so that a caught
# mutation stops early, each allowed three times its time and 30 s more.
unmutated_win32() {
    local name seconds
    wine_entries=() wine_limits=()
    while read -r name seconds; do
        wine_entries+=("$name")
        wine_limits+=($((3 * seconds + 30)))
        printf '   %-36s %4s s\n' "$name" "$seconds"
    done < <(sort -k2,2n "$backup_dir/wine/seconds")
    echo "   ${#wine_entries[@]} entries pass under Wine$(flaky_win32)"
}

parse_table
count=${#ids[@]}

if [ "$check_only" -eq 1 ]; then
    stale=0
    for ((i = 0; i < count; i++)); do
        selected "$i" || continue
        found=0
        [ -f "${files[i]}" ] && found=$(occurrences "$(read_whole "${files[i]}")" "${originals[i]}")
        if [ "$found" -ne 1 ]; then
            printf '%3s  %-32s stale (found %s times): %s\n' "${ids[i]}" "${files[i]}" "$found" \
                "${originals[i]}"
            stale=$((stale + 1))
        fi
    done
    echo "stale: $stale"
    exit 0
fi

# --- the unmutated build must pass, on each side that has mutations --------
needed=()
for ((i = 0; i < count; i++)); do
    selected "$i" || continue
    side=$(side_of "${files[i]}")
    [[ " ${needed[*]} " == *" $side "* ]] || needed+=("$side")
done
if [[ " ${needed[*]} " == *" win32 "* ]] && [ -z "$wine_prefix" ]; then
    wine_prefix=$(mktemp -d /tmp/uravik-wine-mutate.XXXXXX)
    own_prefix=1
fi
for side in "${needed[@]}"; do
    start=$SECONDS
    echo "== $side: configuring and building the unmutated tests"
    if ! "configure_$side"; then
        cat "$backup_dir/configure.log"
        exit 2
    fi
    if ! "build_$side"; then
        tail -n 40 "$backup_dir/build.log"
        echo "the unmutated $side build fails: nothing to measure" >&2
        exit 2
    fi
    echo "== $side: running the unmutated tests"
    if ! "run_$side"; then
        tail -n 40 "$backup_dir/ctest.log"
        echo "the unmutated $side tests fail: nothing to measure" >&2
        exit 2
    fi
    "unmutated_$side"
    echo "   ($((SECONDS - start)) s)"
done

# --- the mutations ---------------------------------------------------------
results=()
catchers=() # "id test test ...": every test that failed on a mutation
caught=0 survived=0 stale=0 broken=0 run=0
declare -A side_run=() side_caught=()
for ((i = 0; i < count; i++)); do
    selected "$i" || continue
    run=$((run + 1))
    id=${ids[i]} file=${files[i]} original=${originals[i]}
    side=$(side_of "$file")
    status="" flaky=""
    if [ ! -f "$file" ]; then
        status="stale (no such file)"
    else
        text=$(read_whole "$file")
        found=$(occurrences "$text" "$original")
        [ "$found" -ne 1 ] && status="stale (original found $found times)"
    fi
    if [ -z "$status" ]; then
        cp -- "$file" "$backup_dir/original"
        mutated_file=$file
        before=${text%%"$original"*}
        after=${text#*"$original"}
        printf '%s' "$before${replacements[i]}$after" >"$file"
        start=$SECONDS
        if ! "build_$side"; then
            status="caught (does not compile)"
            broken=$((broken + 1))
        elif "run_$side" "$(earlier_catcher "$id")"; then
            status=survived
        else
            failed=$("failed_$side")
            status="caught${failed:+ by $failed}"
            [ "$every_catcher" = 1 ] && [ "$side" = portable ] &&
                catchers+=("$id $(every_failed_portable)")
        fi
        [ "$side" = win32 ] && flaky=$(flaky_win32)
        restore
        echo "   $id $side $file: $status ($((SECONDS - start)) s$flaky)"
    else
        echo "   $id $side $file: $status"
    fi
    case $status in
        stale*) stale=$((stale + 1)) ;;
        survived) survived=$((survived + 1)) ;;
        *)
            caught=$((caught + 1))
            side_caught[$side]=$((${side_caught[$side]:-0} + 1))
            ;;
    esac
    [[ $status == stale* ]] || side_run[$side]=$((${side_run[$side]:-0} + 1))
    results+=("$(printf '%4s  %-10s  %-8s  %-40s  %s' "$id" "${kinds[i]}" "$side" "$file" "$status")")
done

echo
echo "== results"
printf '%s\n' "${results[@]}"
echo
for side in "${needed[@]}"; do
    echo "$side: caught ${side_caught[$side]:-0} of ${side_run[$side]:-0} that apply"
done
echo "mutations: $run, caught $caught, survived $survived, stale $stale" \
    "(of the caught, $broken do not compile)"

# A test's worth is what no other test catches: the mutations it alone
# fails on. A test that catches none alone guards nothing the others miss
# (as far as these mutations reach).
if [ "$every_catcher" = 1 ]; then
    echo
    echo "== what each native test alone catches"
    ctest --test-dir "$build" -N 2>/dev/null | sed -n 's/^ *Test *#[0-9]*: //p' | grep -v '_NOT_BUILT$' |
        awk -v lines="$(printf '%s\n' "${catchers[@]}")" '
            BEGIN {
                n = split(lines, rows, "\n")
                for (r = 1; r <= n; r++) {
                    k = split(rows[r], f, " ")
                    for (i = 2; i <= k; i++) seen[f[i]]++
                    if (k == 2) alone[f[2]] = alone[f[2]] " " f[1]
                }
            }
            { printf "%-72s %3d caught, alone:%s\n", $0, seen[$0], ($0 in alone) ? alone[$0] : " none" }'
fi
