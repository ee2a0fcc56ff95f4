#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The looks change what is shown and nothing the saver chooses: the view
# lines of an export are the same in every theme, with full rows and with a
# brightness; green at brightness 0 is the plain export to the byte; a
# themed picture holds the theme's colours, its marker among them; full rows
# show each drawn row twice. A recording with --zoom chooses the same views,
# shows each picture's end as the picture, then zooms (the frames' pixels:
# tests/render/shown_picture_test.cpp).
set -u
exporter=$1
source "$(dirname "$0")/lib.sh"

views() { sed "s|$WORK/[a-z0-9-]*/||" "$1"; }

"$exporter" --size 96x72 --seed 11 --pictures 6 --out "$WORK/plain" >"$WORK/plain.views" 2>/dev/null || fail "plain export failed"
"$exporter" --size 96x72 --seed 11 --pictures 6 --out "$WORK/green" --theme green >"$WORK/green.views" 2>/dev/null
for n in 1 2 3 4 5 6; do
    cmp -s "$WORK/plain/picture-000$n.png" "$WORK/green/picture-000$n.png" || fail "--theme green: picture $n differs"
done
grep -q 'zoom into' "$WORK/plain.views" || fail "no zoom among the views, nothing to compare: $(cat "$WORK/plain.views")"
for look in "--theme warm" "--theme cold --full-rows" "--theme spectrum --brightness 70" "--theme grey" "--full-rows" "--brightness 30"; do
    name=$(echo "$look" | tr -d ' -')
    # shellcheck disable=SC2086
    "$exporter" --size 96x72 --seed 11 --pictures 6 --out "$WORK/$name" $look >"$WORK/$name.views" 2>/dev/null ||
        fail "$look: export failed"
    [ "$(views "$WORK/$name.views")" = "$(views "$WORK/plain.views")" ] || fail "$look: the views differ"
    cmp -s "$WORK/plain/picture-0003.png" "$WORK/$name/picture-0003.png" && fail "$look: the picture is the plain one"
    # shellcheck disable=SC2086
    "$exporter" --size 96x72 --seed 11 --pictures 3 --animation "$WORK/$name.gif" $look >"$WORK/$name.rec" 2>/dev/null ||
        fail "$look: recording failed"
    "$exporter" --size 96x72 --seed 11 --pictures 3 --animation "$WORK/plain.gif" >"$WORK/plain.rec" 2>/dev/null
    [ "$(views "$WORK/$name.rec" | sed 's/[^ ]*\.gif//')" = "$(views "$WORK/plain.rec" | sed 's/[^ ]*\.gif//')" ] ||
        fail "$look: the recording's views differ"
done

# A theme's marker is in the picture after a zoom (cold's is amber, 255,170,0).
convert "$WORK/themecoldfullrows/picture-0003.png" -format %c histogram:info:- | grep -q '(255,170,0)' ||
    fail "cold: no marker colour in picture 3"
# Full rows: each odd row is the even row above it.
for y in 1 21 41 71; do
    above=$(convert "$WORK/fullrows/picture-0002.png" -crop 96x1+0+$((y - 1)) +repage rgb:- | md5sum)
    row=$(convert "$WORK/fullrows/picture-0002.png" -crop 96x1+0+$y +repage rgb:- | md5sum)
    [ "$above" = "$row" ] || fail "--full-rows: row $y is not row $((y - 1))"
done
black=$(convert "$WORK/plain/picture-0002.png" -crop 96x1+0+1 +repage -format %c histogram:info:- | wc -l)
[ "$black" -eq 1 ] || fail "without --full-rows row 1 is not black"
# The recording's last frame of a picture is that picture, in the theme.
convert "$WORK/themewarm.gif" -coalesce "$WORK/frame-%04d.png" 2>/dev/null
last=$(ls "$WORK"/frame-*.png | tail -1)
"$exporter" --size 96x72 --seed 11 --pictures 3 --out "$WORK/warm3" --theme warm >/dev/null 2>&1
[ "$(compare -metric AE "$last" "$WORK/warm3/picture-0003.png" null: 2>&1)" = 0 ] ||
    fail "warm recording's last frame is not picture 3"
# --zoom: one frame a tick at speed 50 (a tick of 250 ms, a zoom of 4 ticks).
"$exporter" --size 96x72 --seed 11 --pictures 3 --animation "$WORK/zoom.gif" --zoom --speed 50 --ticks-per-frame 1 \
    >"$WORK/zoom.rec" 2>/dev/null || fail "--zoom: recording failed"
"$exporter" --size 96x72 --seed 11 --pictures 3 --animation "$WORK/still.gif" --speed 50 --ticks-per-frame 1 \
    >"$WORK/still.rec" 2>/dev/null
[ "$(views "$WORK/zoom.rec" | sed 's/[^ ]*\.gif//')" = "$(views "$WORK/still.rec" | sed 's/[^ ]*\.gif//')" ] ||
    fail "--zoom: the recording's views differ"
mkdir "$WORK/zoom" "$WORK/still"
convert "$WORK/zoom.gif" -coalesce "$WORK/zoom/%04d.png" && convert "$WORK/still.gif" -coalesce "$WORK/still/%04d.png"
differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" != 0 ]; }
# Frame 0 holds the first repaint and tick 1; picture 1 ends with frame 71.
grep -q '^picture 1, then picture 2: zoom into' "$WORK/zoom.rec" || fail "--zoom: picture 1 does not end with a zoom"
differ "$WORK/zoom/0071.png" "$WORK/still/0071.png" && fail "--zoom: the picture's end is not the picture"
for frame in 0072 0073 0074 0075; do
    differ "$WORK/zoom/$frame.png" "$WORK/still/$frame.png" || fail "--zoom: frame $frame shows no zoom"
    differ "$WORK/zoom/$frame.png" "$WORK/zoom/0071.png" || fail "--zoom: frame $frame is the old picture"
done
# The zoom stops moving after its ticks: below the new rows the frames stay.
[ "$(compare -metric AE "$WORK/zoom/0075.png" "$WORK/zoom/0076.png" -crop 96x60+0+12 null: 2>&1)" = 0 ] ||
    fail "--zoom: still moving after 4 ticks"
differ "$WORK/zoom/0143.png" "$WORK/still/0143.png" && fail "--zoom: picture 2's end is not the picture"
finish
