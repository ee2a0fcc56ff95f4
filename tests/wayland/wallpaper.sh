#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana --root on Wayland: a live wallpaper, the background of every
# output, the exporter's window too (in a theme, with full rows: red and
# blue where XRGB8888 has them), and deaf to input; shown over the
# background client the desktop already runs (swaybg, as sway's default
# configuration starts it). It leaves the pointer its cursor, which sway
# hides after a still moment.
# Needs QUORVANA, TICK_MATCH and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
saver_session
wayland_need swaybg

sway_msg seat seat0 hide_cursor 100 >/dev/null
session_start background swaybg -c '#ff0000'
red() { screenshot HEADLESS-1 "$WORK/red.png" && [ "$(convert "$WORK/red.png" -format '%[pixel:p{9,9}]' info:)" = "srgb(255,0,0)" ]; }
wait_until 10 red || { echo "swaybg did not draw"; exit 1; }
LOOK=(--theme warm --full-rows)
check "--root draws the background of both outputs" 'start_saver --root'
check "the wallpaper is the exporter's window in its theme too" \
      'wait_until 10 exact HEADLESS-1 0 && wait_until 10 exact HEADLESS-2 1'
cursor move 20 20
cursor press button1
cursor release button1
press_key a
sleep 1
check "the wallpaper survives a pointer move, a button and a key" 'alive "$saver" && covered HEADLESS-2 1280x960'
wayland_finish
