#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana-render.exe under Wine writes the same PNG files, to the bit, as
# the native exporter, for a few seeds and sizes (odd ones among them) with
# the plain loop and the fastest kernel, and the same recordings. Also: a
# bad argument is refused with status 2 there too.
# Usage: exporter_identity_test.sh SESSION_DIR WINDOWS_EXPORTER NATIVE_EXPORTER
set -uo pipefail
session=$(dirname "$0")/wine-session
dir=$1
windows_exporter=$2
native_exporter=$3
[ -x "$native_exporter" ] || { echo "FAIL: no native exporter at $native_exporter (build the native preset first)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

while read -r size seed kernel pictures; do
    name="$size-$seed-$kernel"
    mkdir -p "$work/native-$name" "$work/windows-$name"
    args=(--size "$size" --seed "$seed" --kernel "$kernel" --pictures "$pictures")
    "$native_exporter" "${args[@]}" --out "$work/native-$name" >/dev/null 2>&1 || fail "$name: native exporter failed"
    "$session" run "$dir" "$windows_exporter" "${args[@]}" --out "Z:$work/windows-$name" >"$work/log" 2>&1 ||
        fail "$name: Windows exporter failed: $(cat "$work/log")"
    for ((n = 1; n <= pictures; n++)); do
        file=$(printf 'picture-%04d.png' "$n")
        [ -s "$work/native-$name/$file" ] || { fail "$name: native wrote no $file"; continue; }
        cmp -s "$work/native-$name/$file" "$work/windows-$name/$file" || fail "$name: $file differs"
    done
done <<CASES
97x61 123456 auto 5
97x61 123456 plain 5
33x17 7 plain 4
1x1 2 auto 2
640x480 1 auto 3
301x199 42 plain 2
CASES

# A recording is the same file too.
args=(--size 97x61 --seed 3 --pictures 2)
"$native_exporter" "${args[@]}" --animation "$work/native.gif" >/dev/null 2>&1 || fail "native recording failed"
"$session" run "$dir" "$windows_exporter" "${args[@]}" --animation "Z:$work/windows.gif" >"$work/log" 2>&1 ||
    fail "Windows recording failed: $(cat "$work/log")"
cmp -s "$work/native.gif" "$work/windows.gif" || fail "the recordings differ"

# Names outside the ANSI code page reach the files whole (the exporter takes
# its arguments as UTF-8): the same pictures and recording under them.
name="Ωμέγα-日本-😀"
"$session" run "$dir" "$windows_exporter" "${args[@]}" --out "Z:$work/$name" >"$work/log" 2>&1 &&
    "$session" run "$dir" "$windows_exporter" "${args[@]}" --animation "Z:$work/$name/$name.gif" >>"$work/log" 2>&1 ||
    fail "UTF-8 names: $(cat "$work/log")"
cmp -s "$work/native.gif" "$work/$name/$name.gif" && [ -s "$work/$name/picture-0002.png" ] ||
    fail "UTF-8 names: $(ls -R "$work" | head -20)"

# This build has no WebP: the name is refused before anything is written.
"$session" run "$dir" "$windows_exporter" --animation "Z:$work/x.webp" >"$work/log" 2>&1
status=$?
[ "$status" -eq 2 ] || fail "--animation x.webp: status $status, expected 2"
grep -q "ending in .gif" "$work/log" || fail "--animation x.webp: $(cat "$work/log")"
[ ! -e "$work/x.webp" ] || fail "--animation x.webp: wrote the file"

"$session" run "$dir" "$windows_exporter" --size 0x5 >"$work/log" 2>&1
status=$?
[ "$status" -eq 2 ] || fail "--size 0x5: status $status, expected 2"
grep -q -- "--size" "$work/log" || fail "--size 0x5: error does not name --size: $(cat "$work/log")"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
