#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# README's Wayland line through Xwayland, in a headless sway whose seat has a
# pointer and a keyboard as every real session has: swayidle, started by the
# session, starts "quorvana --fullscreen" (forced to X11 where the program can
# choose) after an idle second, ten times. Each time the saver must come up
# full screen (its window the output's size, no title bar), stay until real
# input although the pointer moved while no X window was up (Xwayland then
# reports a stale place first), and end on that input with status 0: the
# pointer moved by sway, a key typed, a button, the pointer device moved.
# Usage: wayland.sh BUILD_DIR SCREENSHOT   (VIRTUAL_POINTER: tests/wayland/virtual_pointer)
source "$(dirname "$0")/../wayland/lib.sh"
screenshot=$2
wayland_need Xwayland swayidle grim convert
cmake --install "$1" --prefix "$WORK/usr" >/dev/null
saver="quorvana --fullscreen"
! "$BIN/quorvana" --help | grep -q -- --x11 || saver+=" --x11"

wayland_session 1 "output HEADLESS-1 resolution 640x480" "xwayland enable"
size=$(output_size HEADLESS-1)
# README's line, each status noted so that the test can read it.
sway_msg exec "swayidle -w timeout 1 '$saver; echo \$? >>$RUNTIME/statuses'" >/dev/null

# At least a tenth of the screen in pure greens: rows of a picture.
enough_green() { [ "$(convert "$1" -fx '(r == 0 && b == 0 && g > 0) ? 1 : 0' -format '%[fx:int(mean * w * h)]' info:)" -ge 30000 ]; }
# The saver swayidle started last, once it is up; not one seen before.
seen=" "
new_saver() { saver_pid=$(session_pids quorvana | head -n 1); [ -n "$saver_pid" ] && [[ "$seen" != *" $saver_pid "* ]] || { saver_pid=; false; }; }
# Its window in sway's tree: "WxH+X+Y FULLSCREEN_MODE".
saver_window() { windows | awk -v pid="$saver_pid" '$1 == pid { print $2, $3 }'; }
statuses() { [ -f "$RUNTIME/statuses" ] && wc -l <"$RUNTIME/statuses" || echo 0; }

inputs=("cursor move 40 30" "press_key a" "cursor press button1" "pointer 'motion 25 0'")
full=0 stayed=0 ended=0
for run in $(seq 10); do
    # The user, on no X window: Xwayland will first report the place it last saw.
    cursor move $((run * 13)) $((run * 7))
    before=$(statuses)
    # Up, or already gone (a saver that ends by itself may end between two looks).
    wait_until 20 eval 'new_saver || [ "$(statuses)" -gt "$before" ]' ||
        { echo "run $run: swayidle did not start the saver" >&2; break; }
    [ -z "$saver_pid" ] || seen+="$saver_pid "
    wait_until 10 eval '[ -n "$(saver_window)" ] || [ "$(statuses)" -gt "$before" ]' || true
    sleep 1  # it has had time to end by itself, or to be tiled
    window=$(saver_window)
    if [ "$window" = "${size}+0+0 1" ]; then full=$((full + 1)); else echo "run $run: not full screen: '$window'" >&2; fi
    if [ "$(statuses)" -gt "$before" ]; then
        echo "run $run: ended before any input, status $(tail -n 1 "$RUNTIME/statuses")" >&2
        continue
    fi
    stayed=$((stayed + 1))
    [ "$run" -gt 1 ] || check "grim sees green rows on the output ($screenshot)" \
        'wait_until 10 eval "screenshot HEADLESS-1 $screenshot && enough_green $screenshot"'
    input=${inputs[$((run % ${#inputs[@]}))]}
    eval "$input"
    [ "$input" != "cursor press button1" ] || cursor release button1
    if wait_until 5 eval '[ "$(statuses)" -gt "$before" ]' && [ "$(tail -n 1 "$RUNTIME/statuses")" = 0 ]; then
        ended=$((ended + 1))
    else
        echo "run $run: '$input' did not end it with status 0 (statuses: $(paste -sd ' ' "$RUNTIME/statuses" 2>/dev/null))" >&2
    fi
done
check "swayidle started '$saver' 10 times, full screen ($size, no title bar) each time: $full of 10" '[ "$full" -eq 10 ]'
check "it stayed until real input although the pointer had moved: $stayed of 10" '[ "$stayed" -eq 10 ]'
check "real input (sway's pointer, a key, a button, the device) ended it with status 0: $ended of 10" '[ "$ended" -eq 10 ]'
[ "$failures" -eq 0 ] || tail -n 20 "$WORK/sway.log"
finish
