#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Saver mode on Xephyr's Xinerama heads (Wine outside its virtual desktop takes them as monitors, with RandR as
# one screen): monitors_test.exe on two, and three with one left of the primary; real input on another monitor
# ends the saver, status 0, no window left (monitors-2.png).
# Usage: monitors_test.sh MONITORS_TEST_EXE PROBED_SCR SHIPPED_SCR
set -uo pipefail
source "$(dirname "$0")/../support/checks.sh"
make_work
checker=$1 probed=$2 shipped=$3 servers=()
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX=$WORK/prefix
at_exit 'wineserver -k 2>/dev/null; kill "${servers[@]}"; wait'

# server COMMAND...: an X server on a free display of its choosing becomes DISPLAY.
server() {
    exec {fd}< <(exec "$@" -displayfd 1 -nolisten tcp 2>/dev/null)
    servers+=($!)
    read -r -t 20 number <&"$fd" || exit 1
    wineserver -k 2>/dev/null  # Wine reads the monitors as it starts
    export DISPLAY=":$number"
}
server Xvfb -screen 0 2400x800x24 && host=$DISPLAY
# heads EXPECTED XEPHYR_ARGS...: monitors_test.exe; Wine lists a monitor at EXPECTED.
heads() {
    DISPLAY=$host server Xephyr +xinerama -extension RANDR "${@:2}"
    wine wineboot -u >/dev/null 2>&1
    wine "$checker" "$(winepath -w "$probed")" | tee "$WORK/log"
    grep -q FAIL "$WORK/log" && fail "monitors_test.exe"
    grep -q "monitor at $1[[:space:]]*$" "$WORK/log" || fail "no monitor at $1"
}
# ends_on X Y XDOTOOL_ARGS...: the pointer at X, Y; the saver; the input ends it.
ends_on() {
    xdotool mousemove "$1" "$2"
    wine "$shipped" /s &
    sleep 5
    [ "$3" = key ] && import -window root monitors-2.png
    xdotool "${@:3}"
    wait_until 15 eval "! kill -0 $! 2>/dev/null"  # each window hides in up to 2 s
    kill $! 2>/dev/null && fail "${*:3}: still running"
    wait $! || fail "${*:3}: status $?"
    [ -z "$(xdotool search --onlyvisible --classname quorvana.scr)" ] || fail "${*:3}: a window stayed"
}

heads 800,0 -screen 800x600 -screen 640x480 -origin 800,0
for input in "key a" "click 1" "mousemove 1110 250"; do ends_on 1100 240 $input; done
# The middle head as Wine's primary puts the left one at negative coordinates.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /d 1 /f >/dev/null 2>&1
heads -640,0 -screen 640x480 -origin 640,0 -screen 800x600 -origin 1440,0 -screen 640x480
ends_on 300 240 click 3
finish
