#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Saver mode on Xephyr's Xinerama heads (Wine outside its virtual desktop takes them as monitors, with RandR as
# one screen): monitors_test.exe on two, and three with one left of the primary. Then real input, with another
# process keeping a processor busy: on each of two monitors, each closing input (a key, a button, a mouse move)
# ends the saver ten times out of ten, status 0, no window left (monitors-2.png shows it running); so does a
# move to where no monitor is (the X screen spans both heads' bounding box, and the pointer may go anywhere
# in it: no window is there to be told of the move).
# Usage: monitors_test.sh MONITORS_TEST_EXE PROBED_SCR SHIPPED_SCR
set -uo pipefail
source "$(dirname "$0")/../support/checks.sh"
make_work
checker=$1 probed=$2 shipped=$3 servers=() busy=
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX=$WORK/prefix
at_exit 'wineserver -k 2>/dev/null; kill "${servers[@]}" $busy 2>/dev/null; wait'
readonly trials=10

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
windows_shown() { [ "$(xdotool search --onlyvisible --classname quorvana.scr 2>/dev/null | wc -l)" -ge "$1" ]; }
# ends_on MONITORS X Y XDOTOOL_ARGS...: the pointer at X, Y; the saver, until it shows a window on each of
# MONITORS; the input ends it. Prints what went wrong, if anything.
ends_on() {
    xdotool mousemove "$2" "$3"
    wine "$shipped" /s >/dev/null 2>&1 &
    local saver=$!
    wait_until 30 windows_shown "$1" || { echo "no window on each monitor"; kill $saver; wait $saver; return; }
    [ ! -e monitors-2.png ] && [ "$4" = key ] && sleep 3 && import -window root monitors-2.png  # rows drawn
    xdotool "${@:4}"
    wait_until 15 eval '! kill -0 $saver 2>/dev/null'  # each window hides in up to 2 s
    kill $saver 2>/dev/null && echo "still running"
    wait $saver || echo "status $?"
    wait_until 5 eval '! windows_shown 1' || echo "a window stayed"
}
# trials MONITORS X Y XDOTOOL_ARGS...: ends_on, $trials times; one line for all.
trials() {
    local failed=0 trial what
    for trial in $(seq $trials); do
        what=$(ends_on "$@")
        [ -n "$what" ] && failed=$((failed + 1)) && echo "  trial $trial: ${what//$'\n'/; }"
    done
    if [ $failed -eq 0 ]; then echo "ok: ${*:4} at $2,$3: $trials of $trials"; else fail "${*:4} at $2,$3: $failed of $trials"; fi
}

heads 800,0 -screen 800x600 -screen 640x480 -origin 800,0
rm -f monitors-2.png
bash -c 'while :; do :; done' &
busy=$!
for at in "400 300" "1120 240"; do
    for input in "key a" "click 1" "mousemove_relative 10 10"; do trials 2 $at $input; done
done
trials 2 1120 240 mousemove 1120 550  # below the second head, which is 480 high
kill $busy && busy=
# The middle head as Wine's primary puts the left one at negative coordinates.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /d 1 /f >/dev/null 2>&1
heads -640,0 -screen 640x480 -origin 640,0 -screen 800x600 -origin 1440,0 -screen 640x480
[ -z "$(ends_on 3 300 240 click 3)" ] || fail "click 3 at 300,240 on three monitors"
finish
