#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What the compositor does is not the user: quorvana --fullscreen stays when
# another output is resized (the outputs beside it move), when the output
# under the pointer is rescaled (sway moves the pointer with it) or removed,
# and a real move after each still ends it.
# Needs QUORVANA and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
wayland_need sway grim wtype jq convert identify
wayland_programs "$QUORVANA"
# Placed by sway, side by side: resizing the first moves the second.
wayland_session 2 "output HEADLESS-1 resolution 640x480" "output HEADLESS-2 resolution 800x600"

# what the compositor does | the output it is done to | what it is set to
CASES=(
    "another output resized|HEADLESS-1|resolution 320x240"
    "the output under the pointer rescaled|HEADLESS-2|scale 2"
    "the output under the pointer removed|HEADLESS-2|disable"
)
for case in "${CASES[@]}"; do
    IFS='|' read -r what output setting <<<"$case"
    sway_msg output "*" enable scale 1 >/dev/null
    sway_msg output HEADLESS-1 resolution 640x480 >/dev/null
    sway_msg output HEADLESS-2 resolution 800x600 >/dev/null
    cursor set 1000 300
    session_start saver quorvana --fullscreen --seed "$SEED"
    wait_until 10 covered HEADLESS-1 640x480 || { fail "$what: not covered at the start"; end_process "$saver"; continue; }
    sway_msg output "$output" $setting >/dev/null
    sleep 1
    check "$what: it stays" 'alive "$saver"'
    check "$what: a real move then ends it, status 0" 'cursor move 7 3; ended_well "$saver"'
    end_process "$saver"
done
wayland_finish
