#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Memory running out is a failure like any other, in every mode. Each mode
# runs under address-space limits (ulimit -v) from below what the program
# needs to start up to above what it needs to finish, so that memory runs
# out at each of its allocations in turn: the window, the wallpaper, the
# encoders' copies, the threads, the GIF and WebP encoders' buffers, the
# file's bytes. Under every limit the run either succeeds with its whole
# file, or ends with status 1, one line naming what could not be made, and
# an empty output folder (no .partial left). It once aborted (status 134)
# and left NAME.xxxxxxxx.partial behind.
set -u
exporter=$1
source "$(dirname "$0")/lib.sh"

# The limits start where the program starts at all (its libraries, about
# 8 MiB here) and reach 32 MiB above, in steps of 256 KiB: each encoder
# thread takes 8 MiB for its stack, a 640 x 480 picture 1.2 MiB, libwebp
# several times that, a thread's first allocation a malloc arena.
size=640x480
start=
for limit in $(seq 2048 1024 65536); do
    (ulimit -v "$limit"; exec "$exporter" --version >/dev/null 2>&1) 2>/dev/null && { start=$limit; break; }
done
[ -n "$start" ] || { fail "the exporter does not start under 64 MiB"; finish; }
limits=$(seq "$start" 256 $((start + 32768)))
modes=(
    "pictures|picture-0001.png|--out OUT"
    "wallpapers|wallpaper-0001.png|--out OUT --wallpaper"
    "GIF|a.gif|--animation OUT/a.gif"
    "WebP|a.webp|--animation OUT/a.webp"
)
for entry in "${modes[@]}"; do
    IFS='|' read -r mode file args <<<"$entry"
    failed=0 succeeded=0 wrong=0
    for limit in $limits; do
        out=$WORK/out
        rm -rf "$out" && mkdir "$out"
        # shellcheck disable=SC2086 # the mode's arguments are words
        (ulimit -v "$limit"; exec "$exporter" ${args//OUT/$out} --size "$size" --pictures 1 --seed 5 \
            >/dev/null 2>"$WORK/err") 2>/dev/null
        status=$?
        left=$(ls -A "$out")
        if [ "$status" -eq 0 ] && [ "$left" = "$file" ]; then
            succeeded=$((succeeded + 1))
        elif [ "$status" -eq 1 ] && [ -z "$left" ] && [ "$(wc -l <"$WORK/err")" -eq 1 ] &&
            grep -Eq "^quorvana-render: ((cannot write '[^']+': )?not enough memory for (encoding |recording )?a 640 x 480 picture|cannot start a thread to encode the pictures: .+)\$" \
                "$WORK/err"; then
            grep -q 'not enough memory' "$WORK/err" && failed=$((failed + 1))
        else
            wrong=$((wrong + 1))
            fail "$mode under ulimit -v $limit: status $status, left [$left], said: $(head -c 300 "$WORK/err")"
        fi
    done
    # The limits must reach both sides, or the test proves nothing.
    [ "$wrong" -eq 0 ] && [ "$failed" -gt 0 ] && [ "$succeeded" -gt 0 ] &&
        pass "$mode: memory ran out $failed times with one line and nothing left, $succeeded runs whole" ||
        fail "$mode: $failed runs out of memory, $succeeded whole, $wrong wrong"
done

# --bench writes nothing: status 1 and the one line.
(ulimit -v 65536; exec "$exporter" --bench --size 8000x8000 --pictures 1 >/dev/null 2>"$WORK/err") 2>/dev/null
status=$?
check "bench: out of memory for the window, status 1, one line" \
    '[ "$status" -eq 1 ] && [ "$(cat "$WORK/err")" = "quorvana-render: not enough memory for a 8000 x 8000 picture" ]'
finish
