#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana --fullscreen --x11 through Xwayland on two outputs. The
# compositor hands the X focus around as it places the windows, which is not
# the user: the saver stays without input. sway stacks both full-screen X
# windows on its focused output: the saver covers that one, says in one line
# which it could not cover.
# Needs QUORVANA and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
saver_session
sway_msg seat seat0 hide_cursor 100 >/dev/null

cursor set 900 300
stayed=0
for run in 1 2 3; do
    session_start saver quorvana --fullscreen --x11 --seed "$SEED" 2>"$WORK/saver.err"
    sleep 3
    alive "$saver" && stayed=$((stayed + 1))
    [ "$run" -eq 3 ] || end_process "$saver"
done
check "it stays without input in $stayed of 3 starts" '[ "$stayed" -eq 3 ]'
check "it covers the output sway puts its windows on" 'covered HEADLESS-1 640x480'
check "it says once which output it could not cover: $(cat "$WORK/saver.err")" \
      '[ "$(cat "$WORK/saver.err")" = "quorvana: the window manager did not put a window over the monitor at 640x480+640+0: not covered" ]'
# Input through Xwayland ends it: tests/release/wayland.sh, on one output.
end_process "$saver"
wayland_finish
