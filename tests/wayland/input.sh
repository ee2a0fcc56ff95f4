#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana --fullscreen on two Wayland outputs ends on input on either, with
# status 0: a pointer move, a button, a key; the wheel and the extra buttons
# (sway's buttons 4 and 8: an axis event, BTN_SIDE) leave it running.
# Needs QUORVANA and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
saver_session

# The pointer is put on the second output before it starts.
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
wayland_finish
