#!/usr/bin/env bash
# Saver mode on several monitors under Wine. Wine's virtual desktop is a
# single monitor, but outside one Wine takes the heads of a Xinerama display
# as monitors: Xephyr, inside an Xvfb of this test's own, lays its screens
# side by side. (Without RandR: Wine would take RandR's one big screen.) For two monitors and for three (one left of the primary, at
# negative coordinates) monitors_test.exe checks the windows; then real
# input from xdotool (a key, a click and a movement, with the pointer on
# another monitor) must end the saver with status 0 and leave no window.
# Leaves monitors-2.png and monitors-3.png, screenshots of the running
# saver, in the working directory.
# Usage: monitors_test.sh MONITORS_TEST_EXE PROBED_SCR SHIPPED_SCR
set -uo pipefail
checker=$1
probed=$2
shipped=$3

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || command -v wine)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
work=$(mktemp -d)
export WINEPREFIX=$work/prefix
failures=0
servers=()

cleanup() {
    "$wineserver" -k 2>/dev/null || true
    local pid
    for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# start_server NAME COMMAND...: an X server that picks its own display
# number (-displayfd), so parallel runs never collide; sets DISPLAY_NUMBER.
start_server() {
    local name=$1 fifo="$work/$1.fd"
    shift
    mkfifo "$fifo"
    "$@" -displayfd 3 -nolisten tcp 3>"$fifo" >"$work/$name.log" 2>&1 &
    servers+=($!)
    read -r -t 20 DISPLAY_NUMBER <"$fifo" || { echo "$name did not start" >&2; exit 1; }
}

start_server host Xvfb -screen 0 2400x800x24
host=":$DISPLAY_NUMBER"

# on_heads NAME XEPHYR_SCREEN_ARGS...: a Xephyr display with these heads
# becomes DISPLAY; Wine restarts so that it reads the new monitors.
on_heads() {
    local name=$1
    shift
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    DISPLAY=$host start_server "$name" Xephyr +xinerama -extension RANDR "$@"
    export DISPLAY=":$DISPLAY_NUMBER"
}

mapped_saver_windows() { xdotool search --onlyvisible --classname 'quorvana.scr' 2>/dev/null | wc -l; }

# check_windows HEADS EXPECTED_MONITOR: monitors_test.exe, on a display
# where Wine must list EXPECTED_MONITOR (as "(left,top)-(right,bottom)").
check_windows() {
    local heads=$1 expected=$2
    echo "--- $heads monitors: the windows"
    "$wine" "$checker" "$(winepath -w "$probed")" | tee "$work/check.log" || fail "$heads monitors: monitors_test.exe"
    grep -q -F "$expected" "$work/check.log" || fail "$heads monitors: Wine did not list the monitor $expected"
}

# real_input HEADS X Y WHAT XDOTOOL_ARGS...: the pointer rests at X, Y (X
# coordinates) on a monitor other than the primary; the saver starts; the
# input must end it with status 0.
real_input() {
    local heads=$1 x=$2 y=$3 what=$4
    shift 4
    xdotool mousemove "$x" "$y"
    "$wine" "$shipped" /s &
    local pid=$!
    local i
    for i in $(seq 100); do
        [ "$(mapped_saver_windows)" -ge "$heads" ] && break
        sleep 0.1
    done
    sleep 2  # drawing
    [ "$what" = "key" ] && import -window root "monitors-$heads.png"
    xdotool "$@"
    # Without a window manager Wine waits up to 2 s for each full-screen
    # window it hides to be withdrawn, so the windows go one after another.
    for i in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$heads monitors: $what: the saver is still running"
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        return
    fi
    wait "$pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "$heads monitors: $what: status $status"
    [ "$(mapped_saver_windows)" -eq 0 ] || fail "$heads monitors: $what: a window stayed behind"
    [ "$status" -eq 0 ] && echo "ok: $heads monitors: $what ends the saver, status 0"
}

# Two heads side by side: the primary 800x600 at 0,0 and 640x480 right of it.
on_heads two -screen 800x600 -screen 640x480 -origin 800,0
"$wine" wineboot -u >/dev/null 2>&1
check_windows 2 "(800,0)-(1440,480)"
real_input 2 1100 240 key key a
real_input 2 1100 240 click click 1
real_input 2 1100 240 "mouse movement" mousemove 1110 250

# Three heads, the primary between the others: Xinerama's first head lies at
# the origin, so the middle one is made Wine's primary, and Wine places the
# left one at negative coordinates. (Xephyr places the screen that follows
# an -origin.)
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /d 1 /f >/dev/null 2>&1
on_heads three -screen 640x480 -origin 640,0 -screen 800x600 -origin 1440,0 -screen 640x480
check_windows 3 "(-640,0)-(0,480) (800,0)-(1440,480)"
real_input 3 300 240 key key a
real_input 3 300 240 "click on the left monitor" click 3
real_input 3 300 240 "mouse movement on the left monitor" mousemove 299 240

[ "$failures" -eq 0 ] && echo "all passed"
exit "$failures"
