#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The reliability campaign: the fuzzers, the soaks and the fault tests, with
# a table of figures at the end.
#   scripts/stress.sh           the long form: each fuzzer 10 minutes, 100,000
#                               small pictures and 300 large ones, 1,000 X11
#                               start/stop cycles, 10,000 ticks of the Windows
#                               saver under Wine
#   scripts/stress.sh --short   the same in under 5 minutes (CI runs it)
# FUZZ_SECONDS sets the time per fuzzer. The fuzzers run two at a time, each
# on one core, from a copy of the checked-in seed corpus; what they find is
# kept in build/stress (crash-*, timeout-*, oom-*: replay one with
# build/fuzz/tests/fuzz/fuzz_NAME FILE). Exit status 1 when anything failed.
set -euo pipefail
case ${1:-} in
"" | --short) ;;
-h | --help)
    cat <<'TEXT'
Usage: scripts/stress.sh [--short]
The reliability campaign: the fuzzers, the renderer soak, the X11 saver's
start/stop soak and faults, and the Windows saver's soak under Wine, with a
table of figures at the end.
  (nothing)   the long form, about 35 minutes on two cores: each fuzzer 10
              minutes, 100,000 small pictures and 300 large ones, 1,000 X11
              start/stop cycles, 10,000 ticks of the Windows saver
  --short     the same in under 5 minutes (CI runs it)
FUZZ_SECONDS sets the time per fuzzer. What the fuzzers find is kept in
build/stress (replay one with build/fuzz/tests/fuzz/fuzz_NAME FILE).
Exit status 1 when anything failed.
TEXT
    exit 0
    ;;
*) echo "stress.sh: unknown argument '$1' (allowed: --short, --help)" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${NATIVE_PACKAGES[@]}" "${WAYLAND_PACKAGES[@]}" "${X11_TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

if [ "${1:-}" = --short ]; then
    form=short seconds=20 small=5000 large=10 cycles=60 ticks=2000 editor_runs=0
else
    form=long seconds=600 small=100000 large=300 cycles=1000 ticks=10000 editor_runs=10000000
fi
seconds=${FUZZ_SECONDS:-$seconds}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
cmake --preset native -DBUILD_TESTING=ON >/dev/null
cmake --build --preset native -j "$jobs" --target quorvana quorvana-render x11_probe put_guard
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target quorvana soak_test

out=build/stress
rm -rf "$out"
mkdir -p "$out"
failed=0
rows=()
row() { rows+=("$(printf '%-26s | %s' "$1" "$2")"); }

# --- fuzzers ---
fuzz_one() {  # NAME: runs one fuzzer for $seconds into $out/NAME.*
    local name=$1 options=()
    # The ~/.xscreensaver editor's cost grows with the file: short files keep
    # it at its pace (its seeds, whole real files among them, replay in CTest).
    # The long form gives it ten million inputs, at most three times the others' time.
    local limit=$seconds
    if [ "$name" = xscreensaver_file ]; then
        options=(-max_len=256)
        [ "$editor_runs" -eq 0 ] || { options+=(-runs="$editor_runs"); limit=$((seconds * 3)); }
    fi
    mkdir -p "$out/$name.corpus"
    build/fuzz/tests/fuzz/fuzz_"$name" "${options[@]}" -max_total_time="$limit" -timeout=30 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/$name." "$out/$name.corpus" "tests/fuzz/corpus/$name" \
        >"$out/$name.log" 2>&1 || true
}
export -f fuzz_one
export out seconds editor_runs
fuzzers=(command_line windows_command_line renderer frame_end xscreensaver_file)
printf '%s\n' "${fuzzers[@]}" | xargs -P "$jobs" -I{} bash -c 'fuzz_one {}'
for name in "${fuzzers[@]}"; do
    log=$out/$name.log
    runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
    cover=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    findings=$(find "$out" -maxdepth 1 -name "$name.crash-*" -o -maxdepth 1 -name "$name.timeout-*" \
        -o -maxdepth 1 -name "$name.oom-*" | wc -l)
    [ "$findings" -eq 0 ] && [ -n "$runs" ] || failed=1
    row "fuzz $name" "${seconds} s, ${runs:-?} executions, ${cover:-?} edges covered, $findings findings"
done

# --- renderer soak (under the sanitizers) ---
if soak=$(build/fuzz/tests/fuzz/render_soak --pictures "$small" --large "$large" --seed "$RANDOM" 2>&1); then
    row "renderer soak" "${soak#render soak: }"
else
    failed=1
    row "renderer soak" "FAILED: $soak"
fi

# --- X11: start/stop soak and faults, each in a display of its own ---
export QUORVANA=build/native/linux/quorvana X11_PROBE=build/native/tests/x11/x11_probe
export PUT_GUARD=$PWD/build/native/tests/x11/libput_guard.so
export QUORVANA_RENDER=build/native/tools/quorvana-render
if SOAK_SEED=$RANDOM tests/support/with-xvfb -s 640x480x24 bash tests/x11/soak.sh "$cycles" >"$out/x11-soak.log" 2>&1
then :; else failed=1; fi
line=$(grep '^x11 soak:' "$out/x11-soak.log" || echo "x11 soak: FAILED, see $out/x11-soak.log")
row "x11 start/stop soak" "${line#x11 soak: }"
if tests/support/with-xvfb -s 640x480x24 bash tests/x11/faults.sh >"$out/x11-faults.log" 2>&1; then
    row "x11 faults" "$(grep -c '^ok:' "$out/x11-faults.log") passed: server gone, window destroyed, window too large, MIT-SHM refused"
else
    failed=1
    # The failed checks, or, when the script itself broke, its last line.
    row "x11 faults" "FAILED: $(grep '^FAIL' "$out/x11-faults.log" | head -n 3 | tr '\n' ' ' | grep . ||
                                tail -n 1 "$out/x11-faults.log")"
fi

# --- the Windows saver under Wine, in a session of its own ---
session=$PWD/$out/wine-session
program="Z:$(pwd | tr / '\\')\\build\\windows\\quorvana.scr"
if tests/windows/wine-session start "$session" 1920x1080x24 >"$out/wine-soak.log" 2>&1 &&
    tests/windows/wine-session run "$session" build/windows/tests/windows/soak_test.exe "$program" "$ticks" \
        >>"$out/wine-soak.log" 2>&1; then :; else failed=1; fi
tests/windows/wine-session stop "$session" >/dev/null 2>&1 || true
line=$(grep '^wine soak:' "$out/wine-soak.log" || echo "wine soak: FAILED, see $out/wine-soak.log")
grep -q '^FAIL' "$out/wine-soak.log" && line="$line; $(grep '^FAIL' "$out/wine-soak.log" | tr '\n' ' ')"
row "wine soak" "${line#wine soak: }"

echo
echo "Figures ($form form, $(date -u '+%Y-%m-%d %H:%M UTC')):"
printf '%s\n' "${rows[@]}"
exit "$failed"
