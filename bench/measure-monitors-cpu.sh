#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the full-screen saver's CPU time per second of wall time on one
# monitor and on two of the same size (800 x 600 each), both at once, side
# by side, so that the machine's other load weighs on both alike: the X11
# saver (quorvana --fullscreen) and, given quorvana.scr, the Windows saver
# under Wine (/s, each display in a Wine prefix of its own). The monitors
# are Xinerama heads of two Xephyr displays inside one Xvfb.
# Usage: bench/measure-monitors-cpu.sh build/native/linux/quorvana [build/windows/quorvana.scr] [SECONDS]
set -euo pipefail
quorvana=$(realpath "$1")
scr=${2:+$(realpath "$2")}
seconds=${3:-20}
work=$(mktemp -d)
pids=()
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
cleanup() {
    local p
    for p in one two; do WINEPREFIX=$work/$p "$wineserver" -k 2>/dev/null || true; done
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# server NAME COMMAND...: an X server that picks its own display; sets NUMBER.
server() {
    local fifo="$work/$1.fd"
    shift
    mkfifo "$fifo"
    "$@" -displayfd 3 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    pids+=($!)
    read -r -t 20 NUMBER <"$fifo"
}
server host Xvfb -screen 0 2400x700x24
host=$NUMBER
DISPLAY=:$host server one Xephyr +xinerama -extension RANDR -screen 800x600
one=:$NUMBER
DISPLAY=:$host server two Xephyr +xinerama -extension RANDR -screen 800x600 -origin 800,0 -screen 800x600
two=:$NUMBER

ticks=$(getconf CLK_TCK)
cpu_of() { awk -v t="$ticks" '{ print ($14 + $15) / t }' "/proc/$1/stat"; }
# side_by_side WHAT PID_ON_ONE PID_ON_TWO: both savers' CPU over the same seconds.
side_by_side() {
    local what=$1 a=$2 b=$3
    sleep 5  # both up and drawing
    local on_one on_two
    on_one=$(DISPLAY=$one xwininfo -root -children | grep -c -E ' (800x600|640x480)\+' || true)
    on_two=$(DISPLAY=$two xwininfo -root -children | grep -c -E ' (800x600|640x480)\+' || true)
    echo "$what: $on_one window(s) on the one-monitor display, $on_two on the two-monitor one"
    local a0 b0
    a0=$(cpu_of "$a") b0=$(cpu_of "$b")
    sleep "$seconds"
    awk -v w="$what" -v a="$(cpu_of "$a")" -v a0="$a0" -v b="$(cpu_of "$b")" -v b0="$b0" -v d="$seconds" 'BEGIN {
        printf "%-7s one monitor %.1f%%, two monitors %.1f%% of a core (x%.2f) over %d s\n",
               w, 100 * (a - a0) / d, 100 * (b - b0) / d, (b - b0) / (a - a0), d }'
    kill "$a" "$b"
}

DISPLAY=$one "$quorvana" --fullscreen --seed 5 &
x_one=$!
DISPLAY=$two "$quorvana" --fullscreen --seed 5 &
x_two=$!
side_by_side X11 "$x_one" "$x_two"

[ -n "$scr" ] || exit 0
WINEPREFIX=$work/one DISPLAY=$one wine wineboot -u >/dev/null 2>&1
WINEPREFIX=$work/two DISPLAY=$two wine wineboot -u >/dev/null 2>&1
WINEPREFIX=$work/one DISPLAY=$one wine "$scr" /s &
w_one=$!
WINEPREFIX=$work/two DISPLAY=$two wine "$scr" /s &
w_two=$!
side_by_side Wine "$w_one" "$w_two"
