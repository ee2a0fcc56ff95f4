#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana --fullscreen on Wayland, lean, on two outputs (the second at
# scale 2):
#   - its protocol log shows at most two buffers per output, none attached
#     again before the compositor released it, and commits that damage only
#     the rows drawn since the last one;
#   - past a frame end, whose marker crosses rows the buffer the compositor
#     holds has not seen, each output is still the exporter's window;
#   - its peak memory holds each picture at most twice.
# Needs QUORVANA, TICK_MATCH and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
saver_session

# Lean, by the protocol log of a run of one picture (WAYLAND_DEBUG).
session_start saver sh -c "exec env WAYLAND_DEBUG=1 quorvana --fullscreen --seed $SEED --pictures 1 2>$RUNTIME/protocol.log"
check "--pictures 1 ends it after the first output's first picture, status 0" 'wait_until 30 eval "! alive $saver" && wait "$saver"'
read -r created attached early damaged small < <(awk '
    function buffer() { match($0, /wl_buffer@[0-9]+/); return substr($0, RSTART, RLENGTH) }
    /create_buffer\(new id wl_buffer@/ { created++; held[buffer()] = 0; next }
    /-> wl_surface@[0-9]+\.attach\(wl_buffer@/ { b = buffer(); if (held[b]) early++; held[b] = 1; attached++; next }
    / wl_buffer@[0-9]+\.release\(\)/ { held[buffer()] = 0; next }
    /-> wl_surface@[0-9]+\.damage_buffer\(/ { n = split($0, a, /[(), ]+/); damaged++; if (a[n - 1] + 0 <= 4) small++ }
    END { print created + 0, attached + 0, early + 0, damaged + 0, small + 0 }' "$RUNTIME/protocol.log")
check "two outputs, $created buffers: at most two per output" '[ "$created" -ge 2 ] && [ "$created" -le 4 ]'
check "$attached attaches, $early of them of a buffer the compositor had not released" '[ "$attached" -gt 100 ] && [ "$early" -eq 0 ]'
check "$small of $damaged commits damage 4 rows or fewer: the rows drawn since the last" '[ $((small * 10)) -ge $((damaged * 9)) ]'

# A frame end's marker crosses many rows at once, which the buffer the
# compositor holds takes only when it comes back. Early in the second picture (its first
# 240 of 480 rows) the marker's lower edge is still on the screen.
early_in_second_picture() {
    exact HEADLESS-1 0 || return 1
    set -- $(tail -n 1 "$WORK/match.txt")  # tick T of picture P
    [ "$5" -eq 2 ] && [ "$2" -le $((480 + 240)) ]
}
start_saver --fullscreen --speed 100 >/dev/null
check "past a frame end, with the marker, each output is still the exporter's window" \
      'wait_until 20 early_in_second_picture'
# Memory: at most two buffers of each picture, beside the program itself
# (about 3 MiB).
pictures_kib=$(((640 * 480 + 1280 * 960) * 4 / 1024))
hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$saver/status")
check "peak memory $hwm KiB, with pictures of $pictures_kib KiB: at most two pictures and 4 MiB" \
      '[ "$hwm" -le $((pictures_kib * 2 + 4096)) ]'
wayland_finish
