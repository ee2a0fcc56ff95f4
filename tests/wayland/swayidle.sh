#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# README's Wayland line, natively: swayidle starts quorvana --fullscreen
# after an idle second, and each of ten starts covers both outputs with no X
# window until the pointer moves.
# Needs QUORVANA and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
wayland_need swayidle
saver_session

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
wayland_finish
