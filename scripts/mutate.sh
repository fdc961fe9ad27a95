#!/usr/bin/env bash
# Measures how many small faults the native tests catch: applies each
# mutation of scripts/mutations.txt to the portable core in turn, rebuilds
# the native test programs in build/mutate, runs them and restores the file.
#
#   scripts/mutate.sh              every mutation
#   scripts/mutate.sh 3 7 12       those ids
#   scripts/mutate.sh clock call   those whose file contains a word, or of a kind
#   scripts/mutate.sh --check      only whether each original text is found
#
# A mutation whose original text is not found exactly once is "stale": the
# code moved on, and it counts neither way. One that does not compile counts
# as caught but is named apart; it proves nothing about the tests.
#
# The sources are changed in place while it runs: build nothing else from
# this tree meanwhile. Every changed file gets its bytes back, also on Ctrl-C.
#
# Environment: MUTATE_TARGETS (the test programs to build, space-separated),
# MUTATE_TIMEOUT (seconds per test, default 60), MUTATE_JOBS (ctest -j).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
export LC_ALL=C
shopt -u patsub_replacement 2>/dev/null || true

table=scripts/mutations.txt
build=build/mutate
targets=${MUTATE_TARGETS:-"uravik_core_tests uravik_fault_sweep_tests uvlog_tests uvreport make_sample_log"}
timeout=${MUTATE_TIMEOUT:-60}
jobs=${MUTATE_JOBS:-2}

check_only=0
selectors=()
for arg in "$@"; do
    case $arg in
        --check) check_only=1 ;;
        -h | --help)
            sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//'
            exit 0
            ;;
        *) selectors+=("$arg") ;;
    esac
done

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
    rm -rf "$backup_dir"
}
trap finish EXIT
trap 'echo; echo "interrupted: the sources are restored"; exit 130' INT TERM HUP

build_tests() {
    # shellcheck disable=SC2086 # the target list is split on purpose
    cmake --build "$build" --target $targets >"$backup_dir/build.log" 2>&1
}

run_tests() {
    ctest --test-dir "$build" -E '_NOT_BUILT$' --timeout "$timeout" -j "$jobs" \
        --stop-on-failure >"$backup_dir/ctest.log" 2>&1
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

# --- the unmutated build must pass -----------------------------------------
echo "== configuring $build (no fuzz targets)"
if [ ! -f "$build/CMakeCache.txt" ]; then
    # Configured like the native preset; "OFF" keeps the clang fuzz targets
    # out, which no mutation run needs.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DURAVIK_CLANGXX=OFF >"$backup_dir/configure.log" 2>&1 ||
        {
            cat "$backup_dir/configure.log"
            exit 2
        }
fi
echo "== building and running the unmutated tests"
if ! build_tests; then
    tail -n 40 "$backup_dir/build.log"
    echo "the unmutated build fails: nothing to measure" >&2
    exit 2
fi
if ! run_tests; then
    tail -n 40 "$backup_dir/ctest.log"
    echo "the unmutated tests fail: nothing to measure" >&2
    exit 2
fi
total_tests=$(sed -n 's/.*tests failed out of \([0-9]*\)/\1/p' "$backup_dir/ctest.log")
echo "   $total_tests tests pass"
unbuilt=$(ctest --test-dir "$build" -N 2>/dev/null | sed -n 's/.*Test *#[0-9]*: \(.*\)_NOT_BUILT$/\1/p')
if [ -n "$unbuilt" ]; then
    echo "   not built, so not run (add to MUTATE_TARGETS if they test the core):" "${unbuilt//$'\n'/ }"
fi

# --- the mutations ---------------------------------------------------------
results=()
caught=0 survived=0 stale=0 broken=0 run=0
for ((i = 0; i < count; i++)); do
    selected "$i" || continue
    run=$((run + 1))
    id=${ids[i]} file=${files[i]} original=${originals[i]}
    status=
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
        if ! build_tests; then
            status="caught (does not compile)"
            broken=$((broken + 1))
        elif run_tests; then
            status=survived
        else
            # The first entry of ctest's closing list: "  12 - Suite.Case (Failed)".
            failed=$(sed -n '/tests FAILED:/{n;s/^[[:space:]]*[0-9]* - //p;q}' "$backup_dir/ctest.log")
            status="caught${failed:+ by $failed}"
        fi
        restore
        echo "   $id $file: $status ($((SECONDS - start)) s)"
    else
        echo "   $id $file: $status"
    fi
    case $status in
        stale*) stale=$((stale + 1)) ;;
        survived) survived=$((survived + 1)) ;;
        *) caught=$((caught + 1)) ;;
    esac
    results+=("$(printf '%3s  %-10s  %-32s  %s' "$id" "${kinds[i]}" "$file" "$status")")
done

echo
echo "== results"
printf '%s\n' "${results[@]}"
echo
echo "mutations: $run, caught $caught, survived $survived, stale $stale" \
    "(of the caught, $broken do not compile)"
