#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana-render.exe under Wine writes the same PNG files, to the bit, as
# the native exporter, for a few seeds and sizes (odd ones among them) with
# the plain loop and the fastest kernel, in every theme, and the same
# recordings, with full rows and the zoom too. Also: a
# bad argument is refused with status 2 there too.
# Usage: exporter_identity_test.sh SESSION_DIR WINDOWS_EXPORTER NATIVE_EXPORTER
set -uo pipefail
source "$(dirname "$0")/../support/checks.sh"
session=$(dirname "$0")/wine-session
dir=$1
windows_exporter=$2
native_exporter=$3
[ -x "$native_exporter" ] || { fail "no native exporter at $native_exporter (build the native preset first)"; finish; }
make_work

while read -r size seed kernel pictures look; do
    name="$size-$seed-$kernel${look// /}"
    mkdir -p "$WORK/native-$name" "$WORK/windows-$name"
    # shellcheck disable=SC2206
    args=(--size "$size" --seed "$seed" --kernel "$kernel" --pictures "$pictures" $look)
    "$native_exporter" "${args[@]}" --out "$WORK/native-$name" >/dev/null 2>&1 || fail "$name: native exporter failed"
    "$session" run "$dir" "$windows_exporter" "${args[@]}" --out "Z:$WORK/windows-$name" >"$WORK/log" 2>&1 ||
        fail "$name: Windows exporter failed: $(cat "$WORK/log")"
    for ((n = 1; n <= pictures; n++)); do
        file=$(printf 'picture-%04d.png' "$n")
        [ -s "$WORK/native-$name/$file" ] || { fail "$name: native wrote no $file"; continue; }
        cmp -s "$WORK/native-$name/$file" "$WORK/windows-$name/$file" || fail "$name: $file differs"
    done
done <<CASES
97x61 123456 auto 5
97x61 123456 plain 5
33x17 7 plain 4
1x1 2 auto 2
640x480 1 auto 3
301x199 42 plain 2
97x61 123456 auto 3 --theme warm
97x61 123456 auto 3 --theme cold --full-rows
160x120 9 auto 3 --theme spectrum --brightness 35
160x120 9 plain 2 --theme grey
160x120 9 auto 2 --brightness 80
CASES

# A recording is the same file too.
args=(--size 97x61 --seed 3 --pictures 2)
"$native_exporter" "${args[@]}" --animation "$WORK/native.gif" >/dev/null 2>&1 || fail "native recording failed"
"$session" run "$dir" "$windows_exporter" "${args[@]}" --animation "Z:$WORK/windows.gif" >"$WORK/log" 2>&1 ||
    fail "Windows recording failed: $(cat "$WORK/log")"
cmp -s "$WORK/native.gif" "$WORK/windows.gif" || fail "the recordings differ"
looks=(--theme spectrum --full-rows --zoom --speed 70)
"$native_exporter" "${args[@]}" "${looks[@]}" --animation "$WORK/native-look.gif" >/dev/null 2>&1 ||
    fail "native recording in a look failed"
"$session" run "$dir" "$windows_exporter" "${args[@]}" "${looks[@]}" --animation "Z:$WORK/windows-look.gif" >"$WORK/log" 2>&1 ||
    fail "Windows recording in a look failed: $(cat "$WORK/log")"
cmp -s "$WORK/native-look.gif" "$WORK/windows-look.gif" || fail "the recordings in a look differ"

# Names outside the ANSI code page reach the files whole (the exporter takes
# its arguments as UTF-8): the same pictures and recording under them.
name="Ωμέγα-日本-😀"
"$session" run "$dir" "$windows_exporter" "${args[@]}" --out "Z:$WORK/$name" >"$WORK/log" 2>&1 &&
    "$session" run "$dir" "$windows_exporter" "${args[@]}" --animation "Z:$WORK/$name/$name.gif" >>"$WORK/log" 2>&1 ||
    fail "UTF-8 names: $(cat "$WORK/log")"
cmp -s "$WORK/native.gif" "$WORK/$name/$name.gif" && [ -s "$WORK/$name/picture-0002.png" ] ||
    fail "UTF-8 names: $(ls -R "$WORK" | head -20)"

# This build has no WebP: the name is refused before anything is written.
"$session" run "$dir" "$windows_exporter" --animation "Z:$WORK/x.webp" >"$WORK/log" 2>&1
status=$?
[ "$status" -eq 2 ] || fail "--animation x.webp: status $status, expected 2"
grep -q "ending in .gif" "$WORK/log" || fail "--animation x.webp: $(cat "$WORK/log")"
[ ! -e "$WORK/x.webp" ] || fail "--animation x.webp: wrote the file"

"$session" run "$dir" "$windows_exporter" --size 0x5 >"$WORK/log" 2>&1
status=$?
[ "$status" -eq 2 ] || fail "--size 0x5: status $status, expected 2"
grep -q -- "--size" "$WORK/log" || fail "--size 0x5: error does not name --size: $(cat "$WORK/log")"

finish
