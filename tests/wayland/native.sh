#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana on Wayland, natively, in a headless sway with two outputs (the
# second at scale 2), a pointer and a keyboard, as in a real session:
#   - --fullscreen covers every output at its device pixels, each exactly the
#     exporter's window of that size and the output's seed at some tick, with
#     no X window; it stays until input, and a pointer move, a button or a key
#     on either output ends it with status 0;
#   - past a frame end, whose marker crosses bands the compositor holds,
#     each output is still the exporter's window;
#   - an output added gets its own picture, one removed goes without harm,
#     a new scale is covered at the new device size;
#   - README's swayidle line covers every output in 10 of 10 starts;
#   - --root is a live wallpaper on every output that input leaves alone;
#   - the compositor going away ends it with one line and status 1;
#   - lean: its peak memory holds each picture once, and its protocol log
#     shows a buffer for each band of 32 rows, one spare and one backdrop
#     per output, none attached again before the compositor released it,
#     and commits that damage only the rows drawn since the last one.
# Needs QUORVANA, TICK_MATCH and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
wayland_need sway swayidle grim wtype jq convert
: "${QUORVANA:?}" "${TICK_MATCH:?}"
wayland_programs "$QUORVANA"

SEED=4242
# The seed of the output that came Nth (saver/monitor_seed.h).
output_seed() { echo $(((SEED + $1 * 0x9E3779B9) & 0xFFFFFFFF)); }

wayland_session 2 "output HEADLESS-1 resolution 640x480 position 0 0" \
    "output HEADLESS-2 resolution 1280x960 position 640 0 scale 2"

# covered OUTPUT WxH: the output shows the saver at WxH device pixels: only
# greens and black, and some green.
covered() {
    local shot=$WORK/covered.png
    screenshot "$1" "$shot" 2>/dev/null || return 1
    [ "$(identify -format '%wx%h' "$shot")" = "$2" ] || return 1
    # The brightest red, green and blue.
    set -- $(convert "$shot" -alpha off -separate -format '%[max] ' info:)
    [ "$1" = 0 ] && [ "$2" != 0 ] && [ "$3" = 0 ]
}
# exact OUTPUT N: the output is the exporter's window for the Nth output's
# seed after some tick of its first 20 pictures (tick_match.cpp).
exact() {
    local shot=$WORK/exact.png
    screenshot "$1" "$shot" && "$TICK_MATCH" "$shot" "$(output_seed "$2")" 20 2>>"$WORK/match.txt"
}
alive() { kill -0 "$1" 2>/dev/null; }
# ended PID: waits for it and checks its status is 0.
ended_well() { wait_until 5 eval "! alive $1" && { wait "$1"; } 2>/dev/null; }
no_x_window() { ! windows | grep -q "^$1 "; }

start_saver() {
    session_start saver quorvana "$@" --seed "$SEED"
    wait_until 10 covered HEADLESS-1 640x480 && wait_until 10 covered HEADLESS-2 1280x960
}

# Full screen: both outputs, their own pictures, their own pixels.
check "--fullscreen covers both outputs, the scale-2 one at its 1280x960 device pixels" 'start_saver --fullscreen'
check "each output is the exporter's window for its seed, pixel for pixel" \
      'wait_until 10 exact HEADLESS-1 0 && wait_until 10 exact HEADLESS-2 1'
tail -n 2 "$WORK/match.txt"
check "no X window: layer-shell surfaces only" 'no_x_window "$saver" && [ -z "$(windows)" ]'
sleep 1
check "it stays without input, with a pointer and a keyboard on the seat" 'alive "$saver"'

# Lean, by the protocol log of a run of one picture (WAYLAND_DEBUG).
end_process "$saver"
session_start saver sh -c "exec env WAYLAND_DEBUG=1 quorvana --fullscreen --seed $SEED --pictures 1 2>$RUNTIME/protocol.log"
check "--pictures 1 ends it after the first output's first picture, status 0" 'wait_until 30 eval "! alive $saver" && wait "$saver"'
read -r created attached early damaged small < <(awk '
    function buffer() { match($0, /wl_buffer@[0-9]+/); return substr($0, RSTART, RLENGTH) }
    /create_buffer\(new id wl_buffer@/ { created++; held[buffer()] = 0; next }
    /-> wl_surface@[0-9]+\.attach\(wl_buffer@/ { b = buffer(); if (held[b]) early++; held[b] = 1; attached++; next }
    / wl_buffer@[0-9]+\.release\(\)/ { held[buffer()] = 0; next }
    /-> wl_surface@[0-9]+\.damage_buffer\(/ { n = split($0, a, /[(), ]+/); damaged++; if (a[n - 1] + 0 <= 4) small++ }
    END { print created + 0, attached + 0, early + 0, damaged + 0, small + 0 }' "$RUNTIME/protocol.log")
bands=$(((480 + 31) / 32 + (960 + 31) / 32))
check "two outputs, $bands bands, $created buffers: the bands', a spare and a backdrop each" \
      '[ "$created" -gt "$bands" ] && [ "$created" -le $((bands + 4)) ]'
check "$attached attaches, $early of them of a buffer the compositor had not released" '[ "$attached" -gt 100 ] && [ "$early" -eq 0 ]'
check "$small of $damaged commits damage 4 rows or fewer: the rows drawn since the last" '[ $((small * 10)) -ge $((damaged * 9)) ]'

# A frame end's marker crosses bands whose buffers the compositor holds; what
# waited for a free buffer shows too. Early in the second picture (its first
# 240 of 480 rows) the marker's lower edge is still on the screen.
early_in_second_picture() {
    exact HEADLESS-1 0 || return 1
    set -- $(tail -n 1 "$WORK/match.txt")  # tick T of picture P
    [ "$5" -eq 2 ] && [ "$2" -le $((480 + 240)) ]
}
start_saver --fullscreen --speed 100 >/dev/null
check "past a frame end, with the marker, each output is still the exporter's window" \
      'wait_until 20 early_in_second_picture'
# Memory: each picture once and a band more, beside the program itself
# (about 3 MiB): not a second copy of every picture.
pictures_kib=$(((640 * 480 + 1280 * 960) * 4 / 1024))
hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$saver/status")
check "peak memory $hwm KiB, with pictures of $pictures_kib KiB: not held twice" \
      '[ "$hwm" -lt $((pictures_kib * 3 / 2 + 4096)) ]'
end_process "$saver"

# Outputs come and go, scales change.
start_saver --fullscreen >/dev/null

sway_msg create_output >/dev/null
check "an added output gets its own picture (the third seed)" \
      'wait_until 10 covered HEADLESS-3 1920x1080 && wait_until 10 exact HEADLESS-3 2'
# sway 1.8 unplugs a headless output; 1.7 can only disable it, which takes its wl_output away too.
sway_msg output HEADLESS-3 unplug >/dev/null 2>&1 || sway_msg output HEADLESS-3 disable >/dev/null
sleep 0.5
check "a removed output's surface goes; the saver and the others carry on" \
      'alive "$saver" && wait_until 5 covered HEADLESS-2 1280x960'
sway_msg output HEADLESS-1 scale 2 >/dev/null
check "a new scale is covered at the output's device pixels" 'wait_until 10 covered HEADLESS-1 640x480 && alive "$saver"'
sway_msg output HEADLESS-1 scale 1 >/dev/null

kill -TERM "$saver"
check "SIGTERM ends it, status 0" 'ended_well "$saver"'

# Input on either output ends it, with status 0; the wheel and the extra
# buttons (sway's buttons 4 and 8: an axis event, BTN_SIDE) do not. The
# pointer is put on the second output before it starts.
cursor set 900 300
start_saver --fullscreen >/dev/null
cursor press button4
cursor press button8
cursor release button8
sleep 0.5
check "the wheel and a side button leave it running" 'alive "$saver"'
check "a pointer move over the second output ends it, status 0" 'cursor move 10 0; ended_well "$saver"'
start_saver --fullscreen >/dev/null
check "a button ends it, status 0" 'cursor press button1; cursor release button1; ended_well "$saver"'
start_saver --fullscreen >/dev/null
check "a key ends it, status 0" 'press_key a; ended_well "$saver"'

# README's line: swayidle starts it after an idle second, ten times.
sway_msg exec "swayidle -w timeout 1 'quorvana --fullscreen'" >/dev/null
started=0
for round in 1 2 3 4 5 6 7 8 9 10; do
    pid=
    wait_until 15 eval 'pid=$(session_pids quorvana); [ -n "$pid" ]' || break
    if wait_until 10 covered HEADLESS-1 640x480 && wait_until 10 covered HEADLESS-2 1280x960 && no_x_window "$pid"; then
        started=$((started + 1))
    fi
    cursor move 5 5
    wait_until 5 eval '! alive $pid' || break
done
check "swayidle's quorvana --fullscreen covers both outputs in $started of 10 starts" '[ "$started" -eq 10 ]'
for pid in $(session_pids swayidle); do kill "$pid"; done
wait_until 5 eval '[ -z "$(session_pids quorvana)" ]' || true

# The live wallpaper: the background of every output, deaf to input. It
# leaves the pointer its cursor, which sway hides after a still moment.
sway_msg seat seat0 hide_cursor 100 >/dev/null
check "--root draws the background of both outputs" 'start_saver --root'
check "the wallpaper is the exporter's window too" 'wait_until 10 exact HEADLESS-1 0'
cursor move 20 20
cursor press button1
cursor release button1
press_key a
sleep 1
check "the wallpaper survives a pointer move, a button and a key" 'alive "$saver" && covered HEADLESS-2 1280x960'
end_process "$saver"

# The compositor going away: its standard error kept (sh execs it, same pid).
session_start saver sh -c "exec quorvana --fullscreen 2>$RUNTIME/gone.err"
wait_until 10 covered HEADLESS-1 640x480 || true
sway_msg exit >/dev/null 2>&1 || true
status=0
wait_until 10 eval '! alive "$saver"' && { wait "$saver" 2>/dev/null || status=$?; }
check "the compositor going away ends it with status 1 and one line: $(cat "$RUNTIME/gone.err")" \
      '[ "$status" -eq 1 ] && [ "$(wc -l <"$RUNTIME/gone.err")" -eq 1 ]'

[ "$failures" -eq 0 ] || { tail -n 20 "$WORK/sway.log"; exit 1; }
