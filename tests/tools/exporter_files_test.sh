#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The exporter's files among others' files and processes; each case was once
# a file written through a link, a corrupt GIF, a partial file left or a
# lost report with status 0.
set -u
exporter=$1
source "$(dirname "$0")/lib.sh"
record() { "$exporter" --size 160x120 --pictures 3 "$@" >/dev/null 2>&1; }
cd "$WORK" || exit 1
for seed in 11 22; do record --seed "$seed" --animation "ref$seed.gif" && record --seed "$seed" --out "ref$seed"; done

# Planted where the temporary file once went: a link is not followed, a file not removed.
echo victim >victim.txt
ln -s victim.txt rec.gif.partial
echo mine >kept.gif.partial
record --seed 11 --animation rec.gif && record --seed 11 --animation kept.gif || fail "planted names: the recording failed"
[ "$(cat victim.txt)" = victim ] && [ -L rec.gif.partial ] && [ "$(cat kept.gif.partial)" = mine ] &&
    [ ! -L rec.gif ] && cmp -s rec.gif ref11.gif && cmp -s kept.gif ref11.gif || fail "planted names: $(ls -l)"
rm rec.gif.partial kept.gif.partial

# Two exporters on the same names: each name holds one whole file, never a mix.
for trial in 1 2 3; do
    record --seed 11 --animation same.gif & first=$!
    record --seed 22 --animation same.gif & second=$!
    record --seed 11 --out same & third=$!
    record --seed 22 --out same
    wait "$first" && wait "$second" && wait "$third" || fail "trial $trial: an exporter failed"
    cmp -s same.gif ref11.gif || cmp -s same.gif ref22.gif || fail "trial $trial: same.gif is a mix"
    for p in picture-000{1,2,3}.png; do cmp -s "same/$p" "ref11/$p" || cmp -s "same/$p" "ref22/$p" || fail "trial $trial: $p is a mix"; done
done

# A reader that leaves the pipe of standard error and output: the recording
# is still whole, the status 0 or 1 (the report lost), never SIGPIPE.
"$exporter" --animation piped.gif --size 160x120 --seed 11 --pictures 3 2>&1 | head -c 10 >/dev/null
status=${PIPESTATUS[0]}
[ "$status" -le 1 ] && cmp -s piped.gif ref11.gif || fail "closed pipe: status $status, $(ls -l piped.gif*)"

# A report that cannot be written is status 1 before any picture is.
for redirect in '>&-' '>/dev/full'; do
    status=0
    eval "\"\$exporter\" --size 64x48 --seed 11 --pictures 1 --out report $redirect 2>err" || status=$?
    [ "$status" -eq 1 ] && [ "$(wc -l <err)" -eq 1 ] && [ -z "$(ls -A report 2>/dev/null)" ] || fail "report $redirect: status $status, $(cat err)"
done

# Standard error closed: descriptor 2 holds /dev/null, so the progress lines
# go nowhere, never into a picture or a recording the exporter opens; a bad
# argument still ends with status 2.
"$exporter" --size 160x120 --seed 11 --pictures 3 --out closed >/dev/null 2>&- || fail "2>&-: the export failed"
for p in picture-000{1,2,3}.png; do cmp -s "closed/$p" "ref11/$p" || fail "2>&-: $p is not the picture alone"; done
"$exporter" --size 160x120 --seed 11 --pictures 3 --animation closed.gif >/dev/null 2>&- && cmp -s closed.gif ref11.gif ||
    fail "2>&-: the recording is not the recording alone"
status=0
"$exporter" --size 0x5 --out never >/dev/null 2>&- || status=$?
[ "$status" -eq 2 ] && [ ! -e never ] || fail "2>&-, a bad argument: status $status"

left=$(find "$WORK" -name '*.partial')
[ -z "$left" ] || fail "partial files left: $left"
finish
