#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana --fullscreen on Wayland as outputs come and go: an output added
# gets its own picture (the third output's seed), one removed goes without
# harm to the saver or the others, a new scale (at the same device size too)
# gets a picture of the output's device size with the next seed, as a new
# output would; SIGTERM then ends it with status 0.
# Needs QUORVANA, TICK_MATCH and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
saver_session

start_saver --fullscreen >/dev/null
sway_msg create_output >/dev/null
check "an added output gets its own picture (the third seed)" \
      'wait_until 10 covered HEADLESS-3 1920x1080 && wait_until 10 exact HEADLESS-3 2'
# sway 1.8 unplugs a headless output; 1.7 can only disable it, which takes its wl_output away too.
sway_msg output HEADLESS-3 unplug >/dev/null 2>&1 || sway_msg output HEADLESS-3 disable >/dev/null
sleep 0.5
check "a removed output's surface goes; the saver and the others carry on" \
      'alive "$saver" && wait_until 5 covered HEADLESS-2 1280x960'
# 640x480 at scale 2 is 320x240 logical pixels: the same device size.
sway_msg output HEADLESS-1 scale 2 >/dev/null
check "scale 2 at the same device size: the exporter's window for the fourth seed" \
      'wait_until 10 exact HEADLESS-1 3 && alive "$saver"'
sway_msg output HEADLESS-1 scale 1 >/dev/null
check "back to scale 1: the fifth seed, still the whole output" \
      'wait_until 10 exact HEADLESS-1 4 && covered HEADLESS-1 640x480'

kill -TERM "$saver"
check "SIGTERM ends it, status 0" 'ended_well "$saver"'
wayland_finish
