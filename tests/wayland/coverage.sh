#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana --fullscreen on Wayland natively, in a headless sway with two
# outputs (the second at scale 2), a pointer and a keyboard, as in a real
# session: it covers every output at its device pixels, each exactly the
# exporter's window of that size and the output's seed at some tick, with no
# X window, and stays without input.
# Needs QUORVANA, TICK_MATCH and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
saver_session

check "--fullscreen covers both outputs, the scale-2 one at its 1280x960 device pixels" 'start_saver --fullscreen'
check "each output is the exporter's window for its seed, pixel for pixel" \
      'wait_until 10 exact HEADLESS-1 0 && wait_until 10 exact HEADLESS-2 1'
tail -n 2 "$WORK/match.txt"
check "no X window: layer-shell surfaces only" 'no_x_window "$saver" && [ -z "$(windows)" ]'
sleep 1
check "it stays without input, with a pointer and a keyboard on the seat" 'alive "$saver"'
wayland_finish
