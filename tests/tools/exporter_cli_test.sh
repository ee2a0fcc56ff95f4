#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The exporter as a user runs it: exit codes, the one-line errors, nothing
# written on bad input, the files and their sizes, the same seed giving the
# same files, progress on standard error.
set -u
exporter=$1
source "$(dirname "$0")/lib.sh"

# Bad input: status 2, one line on stderr naming the argument, nothing written.
touch "$WORK/a-file"
while IFS='|' read -r args named; do
    out="$WORK/never"
    # shellcheck disable=SC2086
    "$exporter" $args --out "$out" >"$WORK/stdout" 2>"$WORK/stderr" </dev/null
    status=$?
    [ "$status" -eq 2 ] || fail "'$args': status $status, expected 2"
    [ "$(wc -l <"$WORK/stderr")" -eq 1 ] || fail "'$args': stderr is not one line: $(cat "$WORK/stderr")"
    grep -q -- "$named" "$WORK/stderr" || fail "'$args': error does not name $named: $(cat "$WORK/stderr")"
    [ ! -e "$out" ] || fail "'$args': wrote $out"
done <<CASES
--size 0x480|--size
--size -5x480|--size
--size 16385x16385|--size
--size big|--size
--seed minus|--seed
--pictures 0|--pictures
--colour red|--colour
--out --bench|--out
CASES

# No such place is a bad argument (2); a folder that takes no file, a failed write (1).
for case in "$WORK/missing/deeper 2" "$WORK/a-file 2" "/proc 1"; do
    out=${case% *} expected=${case##* }
    "$exporter" --size 8x8 --pictures 1 --out "$out" >/dev/null 2>"$WORK/stderr"
    status=$?
    [ "$status" -eq "$expected" ] || fail "--out $out: status $status, expected $expected"
    grep -q -- "--out" "$WORK/stderr" || fail "--out $out: error does not name --out"
done
[ ! -e "$WORK/missing" ] || fail "created the missing parent folder"

"$exporter" --help >"$WORK/help" || fail "--help failed"
for word in --size --seed --pictures --out --kernel --bench --animation --ticks-per-frame --speed --wallpaper --version; do grep -q -- "$word" "$WORK/help" || fail "--help lacks $word"; done
"$exporter" --version | grep -qx 'quorvana-render [0-9][0-9.]*' || fail "--version: $("$exporter" --version 2>&1)"

# A run into a folder of an earlier, longer run writes over its own names,
# leaves the rest as they were, and names them in one line.
"$exporter" --size 16x12 --seed 1 --pictures 4 --out "$WORK/mixed" >/dev/null 2>&1
cp "$WORK/mixed/picture-0003.png" "$WORK/third-before"
"$exporter" --size 16x12 --seed 2 --pictures 2 --out "$WORK/mixed" >/dev/null 2>"$WORK/stderr" || fail "mixed folder: run failed"
grep -qx "quorvana-render: $WORK/mixed also holds 2 pictures of an earlier run, left as they were: picture-0003.png, picture-0004.png" \
    "$WORK/stderr" || fail "mixed folder: $(cat "$WORK/stderr")"
cmp -s "$WORK/mixed/picture-0003.png" "$WORK/third-before" || fail "mixed folder: an earlier picture was changed"
"$exporter" --size 16x12 --seed 2 --pictures 4 --out "$WORK/mixed" >/dev/null 2>"$WORK/stderr"
! grep -q "earlier run" "$WORK/stderr" || fail "mixed folder, all replaced: $(cat "$WORK/stderr")"

# --wallpaper writes files of its own (their pixels: picture_export_test.cpp).
"$exporter" --size 40x30 --seed 5 --pictures 3 --out "$WORK/walls" --wallpaper >/dev/null 2>&1 || fail "--wallpaper failed"
[ "$(ls "$WORK/walls")" = "$(printf 'wallpaper-%04d.png\n' 1 2 3)" ] || fail "--wallpaper wrote $(ls "$WORK/walls")"

# A good run creates the folder (its parent exists) and writes each picture.
"$exporter" --size 40x30 --seed 5 --pictures 3 --out "$WORK/one" >"$WORK/stdout" 2>"$WORK/stderr" ||
    fail "good run failed: $(cat "$WORK/stderr")"
for n in 1 2 3; do
    file="$WORK/one/picture-000$n.png"
    [ -s "$file" ] || { fail "missing $file"; continue; }
    identify -format '%w %h %[channels] %z\n' "$file" | grep -qx '40 30 srgb 8' ||
        fail "$file is not 40x30 8-bit RGB: $(identify "$file")"
done
[ ! -e "$WORK/one/picture-0004.png" ] || fail "wrote more pictures than asked"
[ "$(ls -A "$WORK/one" | wc -l)" -eq 3 ] || fail "left extra files: $(ls -A "$WORK/one")"
grep -q '^seed 5' "$WORK/stdout" || fail "seed not printed"
# Each view line names the picture that shows it, not the one it follows.
grep -qx 'first repaint, then picture 1: random view .*' "$WORK/stdout" || fail "no first view: $(cat "$WORK/stdout")"
for n in 1 2 3; do
    grep -q "/picture-000$n.png, then picture $((n + 1)): \(zoom into\|random view\) " "$WORK/stdout" ||
        fail "no view line after picture $n: $(cat "$WORK/stdout")"
done
[ "$(grep -c 'written' "$WORK/stderr")" -eq 3 ] || fail "no plain progress lines: $(cat "$WORK/stderr")"

"$exporter" --size=40x30 --seed=5 --pictures=3 --out="$WORK/two" >/dev/null 2>&1
for n in 1 2 3; do
    cmp -s "$WORK/one/picture-000$n.png" "$WORK/two/picture-000$n.png" || fail "seed 5 picture $n differs between runs"
done

# A picture that cannot be written (its name links to the full device, no
# file to replace) stops the export: status 1, one line naming the file and
# the reason, the pictures before it intact, nothing after it, no partial
# file left, the link as it was.
mkdir "$WORK/full"
ln -s /dev/full "$WORK/full/picture-0002.png"
"$exporter" --size 64x48 --seed 5 --pictures 3 --out "$WORK/full" >/dev/null 2>"$WORK/stderr"
status=$?
[ "$status" -eq 1 ] || fail "full device: status $status, expected 1"
grep -q "picture-0002.png': it is not a regular file" "$WORK/stderr" || fail "full device: $(cat "$WORK/stderr")"
[ "$(ls -A "$WORK/full" | tr '\n' ' ')" = "picture-0001.png picture-0002.png " ] && [ -L "$WORK/full/picture-0002.png" ] ||
    fail "full device left: $(ls -A "$WORK/full")"

# A disk that fills up in the middle of an export, on a small file system
# of its own (where mounting is allowed, as for root): status 1, the file
# named, every picture before it whole, and no partial file; the same for a
# recording. The mount lives in a namespace of its own, so the checks run in it.
if unshare -m true 2>/dev/null; then
    "$exporter" --size 160x120 --seed 5 --pictures 40 --out "$WORK/unlimited" >/dev/null 2>&1
    mkdir "$WORK/small"
    # shellcheck disable=SC2016
    unshare -m sh -c 'mount -t tmpfs -o size=48k tmpfs "$1" || exit
        "$2" --size 160x120 --seed 5 --pictures 40 --out "$1/out" >/dev/null 2>"$3/stderr"; echo $? >"$3/status"
        ls -A "$1/out" >"$3/left"
        for f in "$1"/out/*; do cmp -s "$f" "$3/unlimited/${f##*/}" || echo "${f##*/}"; done >"$3/broken"
        "$2" --size 160x120 --seed 5 --pictures 40 --animation "$1/rec.gif" >/dev/null 2>"$3/small-rec.stderr"
        echo $? >"$3/small-rec.status"; ls -A "$1" >"$3/small-rec.left"' - "$WORK/small" "$exporter" "$WORK"
    [ "$(cat "$WORK/status")" = 1 ] || fail "small disk: status $(cat "$WORK/status"), expected 1"
    grep -qx "quorvana-render: cannot write '$WORK/small/out/picture-00[0-9][0-9].png': No space left on device" \
        "$WORK/stderr" || fail "small disk: $(cat "$WORK/stderr")"
    [ ! -s "$WORK/broken" ] && [ "$(wc -l <"$WORK/left")" -ge 2 ] && ! grep -q partial "$WORK/left" ||
        fail "small disk: left $(tr '\n' ' ' <"$WORK/left"), broken: $(cat "$WORK/broken")"
    [ "$(cat "$WORK/small-rec.status")" = 1 ] && grep -q "rec.gif': No space left on device" "$WORK/small-rec.stderr" &&
        [ "$(cat "$WORK/small-rec.left")" = out ] || fail "small disk, recording: $(cat "$WORK/small-rec.stderr" "$WORK/small-rec.left")"
else
    echo "skipped: a disk filling up (mounting a small file system needs root)"
fi

# Recordings. Bad combinations and names: status 2, nothing written.
while IFS='|' read -r args named; do
    # shellcheck disable=SC2086
    (cd "$WORK" && "$exporter" $args >/dev/null 2>"$WORK/stderr")
    status=$?
    [ "$status" -eq 2 ] || fail "'$args': status $status, expected 2"
    grep -q -- "$named" "$WORK/stderr" || fail "'$args': error does not name $named: $(cat "$WORK/stderr")"
    [ -z "$(find "$WORK" -name 'rec*')" ] || fail "'$args': wrote $(find "$WORK" -name 'rec*')"
done <<CASES
--animation rec.png|--animation
--animation rec.gif --bench|--animation
--animation rec.gif --out rec|--out
--animation rec.gif --ticks-per-frame 0|--ticks-per-frame
--animation no-such-folder/rec.gif|--animation
--speed 20|--speed
CASES

# A folder that takes no file is a failed write: status 1 and the system's reason.
"$exporter" --size 8x8 --pictures 1 --animation /proc/rec.gif >/dev/null 2>"$WORK/stderr"
status=$?
[ "$status" -eq 1 ] && grep -qx "quorvana-render: --animation: cannot write into the folder of '/proc/rec.gif': .*" \
    "$WORK/stderr" || fail "--animation /proc/rec.gif: status $status, $(cat "$WORK/stderr")"

# A recording that cannot be written leaves nothing behind (but the link).
ln -s /dev/full "$WORK/full.gif"
"$exporter" --size 64x48 --seed 5 --pictures 1 --animation "$WORK/full.gif" >/dev/null 2>"$WORK/stderr"
status=$?
[ "$status" -eq 1 ] || fail "recording to the full device: status $status, expected 1"
grep -q "full.gif': it is not a regular file" "$WORK/stderr" || fail "full device: $(cat "$WORK/stderr")"
[ "$(find "$WORK" -name 'full.gif*')" = "$WORK/full.gif" ] || fail "full device left $(find "$WORK" -name 'full.gif*')"

# The frame shown as each picture ends is the PNG the exporter writes for
# it; the frame delays add up to the saver's time per row at that speed.
# A GIF has a frame per ticks-per-frame; the WebP encoder merges a frame
# that changes nothing into the one before, so frames are found by time.
#   format, size, ticks per frame (-: default), speed, GIF frames per picture, centiseconds per picture
while read -r format size ticks speed frames centiseconds; do
    name="rec-$format-$size-$speed"
    [ "$ticks" = - ] && ticks=
    "$exporter" --size "$size" --seed 5 --pictures 3 --out "$WORK/$name-png" >/dev/null 2>&1
    "$exporter" --size "$size" --seed 5 --pictures 3 --animation "$WORK/$name.$format" --speed "$speed" \
        ${ticks:+--ticks-per-frame "$ticks"} >/dev/null 2>"$WORK/stderr" ||
        { fail "$name: recording failed: $(cat "$WORK/stderr")"; continue; }
    [ "$(grep -c "^picture [1-3]/3 recorded$" "$WORK/stderr")" -eq 3 ] || fail "$name: no progress per picture"
    [ "$(grep -c "$WORK/$name.$format" "$WORK/stderr")" -eq 1 ] &&
        grep -qx "recorded 3 pictures into $WORK/$name.$format" "$WORK/stderr" || fail "$name: $(cat "$WORK/stderr")"
    [ -z "$(find "$WORK" -name "$name.$format.*partial")" ] || fail "$name: partial file left"
    mkdir "$WORK/$name-frames"
    convert "$WORK/$name.$format" -coalesce "$WORK/$name-frames/%d.png"
    count=$(ls "$WORK/$name-frames" | wc -l)
    [ "$format" != gif ] || [ "$count" -eq $((3 * frames)) ] || fail "$name: $count frames, expected $((3 * frames))"
    mapfile -t delays < <(identify -format '%T\n' "$WORK/$name.$format")
    frame=0 start=0
    for n in 1 2 3; do
        # the frame on show just before picture n's time is up
        while [ "$frame" -lt "${#delays[@]}" ] && [ $((start + delays[frame])) -lt $((n * centiseconds)) ]; do
            start=$((start + delays[frame])) frame=$((frame + 1))
        done
        compare -metric AE "$WORK/$name-frames/$frame.png" "$WORK/$name-png/picture-000$n.png" null: \
            2>"$WORK/ae" || fail "$name: picture $n differs from frame $frame in $(cat "$WORK/ae") pixels"
    done
    total=0
    for delay in "${delays[@]}"; do total=$((total + delay)); done
    [ "$total" -eq $((3 * centiseconds)) ] || fail "$name: delays add up to $total cs, expected $((3 * centiseconds))"
done <<CASES
gif 64x48 4 50 12 1200
gif 41x29 - 100 14 29
gif 40x30 - 97 15 45
gif 33x20 1 96 20 40
webp 41x29 - 100 14 29
webp 64x48 4 50 12 1200
CASES

# Ctrl-C, SIGTERM or SIGHUP mid-export: the exporter ends by that signal, the
# pictures written before it are whole, and nothing partial is left; an
# interrupted recording leaves no file at all. Job control keeps SIGINT
# from being ignored in the background job, as it is in a terminal.
set -m
under_way() { [ -e "$1/out/picture-0002.png" ] || [ -n "$(find "$1" -name 'rec.gif.*.partial' -size +0)" ]; }
"$exporter" --size 320x240 --seed 5 --pictures 2 --out "$WORK/whole" >/dev/null 2>&1
while read -r signal what; do
    dir="$WORK/stopped-$signal-${what%% *}"
    mkdir "$dir"
    # shellcheck disable=SC2086
    (cd "$dir" && exec "$exporter" --size 320x240 --seed 5 --pictures 100000 $what >/dev/null 2>&1) &
    job=$!
    wait_until 10 under_way "$dir" || true
    kill -s "$signal" "$job"
    wait "$job"
    status=$?
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "$signal, $what: status $status"
    [ -z "$(find "$dir" -name '*.partial' -o -name 'rec.gif')" ] || fail "$signal, $what: left $(ls -AR "$dir")"
    if [ "$what" != "--animation rec.gif" ]; then
        for n in 1 2; do cmp -s "$dir/out/picture-000$n.png" "$WORK/whole/picture-000$n.png" || fail "$signal: picture $n not whole"; done
    fi
done <<CASES
INT --out out
TERM --out out
HUP --out out
INT --animation rec.gif
HUP --animation rec.gif
CASES
set +m

# Without a seed one is taken from the time and printed.
"$exporter" --size 4x4 --pictures 1 --out "$WORK/three" >"$WORK/stdout" 2>/dev/null || fail "run without seed failed"
grep -qE '^seed [0-9]+' "$WORK/stdout" || fail "time seed not printed"

finish
