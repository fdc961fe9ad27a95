#!/usr/bin/env bash
# Sets up this machine and runs every test of Uravik:
#   1. the portable core's unit tests, natively under ASan and UBSan, and its
#      readers under libFuzzer;
#   2. the Win32 tests and the end-to-end tests of the x86_64 build, under Wine
#      (the times away beside the phases that only compute);
#   3. the 32-bit release build, compiled and inspected (it cannot run here).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Each phase says how long the run has taken so far.
phase() { echo "== [${SECONDS} s] $*"; }
SECONDS=0

log=$(mktemp)
trap 'rm -f "$log"' EXIT

# The build gives each layer only the folders it may include; a relative
# path would climb past that.
phase "layers: no include by a relative path"
layering=0
if git ls-files '*.cpp' '*.h' | xargs grep -lE '#include "\.\./'; then
    echo "these files include by a relative path"
    layering=1
fi

phase "style: every source file as .clang-format has it"
style=0
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror || style=1

phase "x86_64: Win32 layer and the whole program, built"
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64

# Wine prefixes of this run's own, so nothing left from earlier runs answers.
URAVIK_WINEPREFIX=$(mktemp -d /tmp/uravik-wine-test.XXXXXX)
away_prefix=$(mktemp -d /tmp/uravik-wine-away.XXXXXX)
export URAVIK_WINEPREFIX
away_log=$(mktemp)
away_pid=
cleanup() {
    if [ -n "$away_pid" ]; then
        kill -- "-$away_pid" 2>/dev/null || true
        WINEPREFIX=$away_prefix wineserver -k 2>/dev/null || true
    fi
    rm -rf "$log" "$away_log" "$URAVIK_WINEPREFIX" "$away_prefix"
}
trap cleanup EXIT

# The times away end to end spend most of their two minutes waiting for the
# idle limit, so they run meanwhile, beside the phases that only compute: in
# a Wine prefix and on a virtual display of their own, where no other test's
# windows or input can reach them. A session of its own, so that a run that
# stops early can end the whole of it.
away_test='^uravik_away_e2e_tests$'
phase "x86_64: the times away under Wine, started beside the next phases"
URAVIK_WINEPREFIX=$away_prefix setsid env -u DISPLAY \
    scripts/wine-session.sh ctest --preset mingw-x64 -R "$away_test" >"$away_log" 2>&1 &
away_pid=$!
away_started=$SECONDS

# The portable core's tests run once, under the sanitizers: a fault the
# plain build would show, they show too. The native preset is needed only
# for the fuzz targets, each one clang run over all its sources, compiled
# beside the sanitizer build to keep both cores busy.
phase "native: the portable core under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native >/dev/null
cmake --preset native-sanitize >/dev/null
fuzz_targets=(uravik_state_file_fuzz uravik_log_parser_fuzz)
fuzz_built=0
if cmake --build build/native --target help | grep -q "${fuzz_targets[0]}"; then
    fuzz_built=1
    cmake --build --preset native --target "${fuzz_targets[@]}" >build/native/fuzz-build.log 2>&1 &
    fuzz_build_pid=$!
fi
cmake --build --preset native-sanitize
if [ $fuzz_built -eq 1 ]; then
    wait $fuzz_build_pid || { cat build/native/fuzz-build.log; exit 1; }
fi
ctest --preset native-sanitize 2>&1 | tee -a "$log"

phase "native: the state file and log readers under libFuzzer, 30 s side by side"
# Crash inputs, if any, are kept beside the targets; their own work files go
# to directories they make and remove themselves. The log reader is seeded
# with small logs in the program's layout, made fresh for each run.
fuzz_dir=build/native/fuzz
fuzz=1 logfuzz=1
if [ $fuzz_built -eq 1 ]; then
    corpus=$(mktemp -d)
    build/native-sanitize/make_sample_log "$corpus" 12 2024-03-07 4
    $fuzz_dir/state_file_fuzz -max_total_time=30 -artifact_prefix="$PWD/$fuzz_dir/" \
        >$fuzz_dir/state_file_fuzz.log 2>&1 &
    state_fuzz_pid=$!
    $fuzz_dir/log_parser_fuzz -max_total_time=30 -max_len=4096 -artifact_prefix="$PWD/$fuzz_dir/" \
        "$corpus" >$fuzz_dir/log_parser_fuzz.log 2>&1 &
    log_fuzz_pid=$!
    wait $state_fuzz_pid && fuzz=0
    wait $log_fuzz_pid && logfuzz=0
    rm -rf "$corpus"
    tail -n "$((fuzz == 0 ? 1 : 40))" $fuzz_dir/state_file_fuzz.log
    tail -n "$((logfuzz == 0 ? 1 : 40))" $fuzz_dir/log_parser_fuzz.log
else
    echo "the fuzz targets were not built: clang++ missing"
fi

phase "i686: the 32-bit release target"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686
scripts/check-exe.sh build/mingw-i686/uravik.exe pe32 && check=0 || check=1
scripts/check-exe.sh build/mingw-x64/uravik.exe pe32+ || check=1
# The companions, which ship beside it.
for exe in uvreader.exe uvstat.lib aboutuv.exe; do
    scripts/check-exe.sh "build/mingw-i686/$exe" pe32 || check=1
    scripts/check-exe.sh "build/mingw-x64/$exe" pe32+ || check=1
done
scripts/check-package.sh build/mingw-i686 || check=1

phase "x86_64: Win32 layer and the whole program under Wine, but the times away"
scripts/wine-session.sh ctest --preset mingw-x64 -E "$away_test" 2>&1 | tee -a "$log"

phase "run command: Ctrl+C in a terminal closes Uravik and keeps the run"
WINEPREFIX=$URAVIK_WINEPREFIX python3 tests/run_command/interrupt_test.py && interrupt=0 || interrupt=1

# Shown and counted like the suites above; a run that ended without ctest's
# closing line (no display, no Wine, the test gone) counts as one failure.
phase "x86_64: the times away under Wine, as they ended"
wait "$away_pid" || true
away_pid=
tee -a "$log" <"$away_log"
echo "(they took $((SECONDS - away_started)) s beside the phases above)"
grep -q 'tests failed out of' "$away_log" && away_unreported=0 || away_unreported=1

# One closing line over every suite.
passed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\)/\2 \1/p' "$log" |
         awk '{p += $1 - $2; f += $2} END {print p + 0, f + 0}')
read -r pass fail <<<"$passed"
pass=$((pass + (check == 0 ? 1 : 0)))
fail=$((fail + check))
pass=$((pass + (style == 0 ? 1 : 0)))
fail=$((fail + style))
pass=$((pass + (layering == 0 ? 1 : 0)))
fail=$((fail + layering))
pass=$((pass + (fuzz == 0 ? 1 : 0)))
fail=$((fail + fuzz))
pass=$((pass + (logfuzz == 0 ? 1 : 0)))
fail=$((fail + logfuzz))
pass=$((pass + (interrupt == 0 ? 1 : 0)))
fail=$((fail + interrupt))
fail=$((fail + away_unreported))
echo "all: $pass passed, $fail failed (${SECONDS} s after setup)"
[ "$fail" -eq 0 ]
