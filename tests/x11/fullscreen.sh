# SPDX-License-Identifier: MIT
# The full-screen saver covers the screen and closes at the first sign of
# the user: a key, mouse button 1, 2 or 3, the pointer moving away from
# where it was first reported, another window taking the focus. It stays
# for the pointer's first report and repeats of it at the same place, the
# wheel, the horizontal wheel and extra buttons, and key releases.
source "$(dirname "$0")/lib.sh"

read -r SCREEN_W SCREEN_H < <(xdotool getdisplaygeometry)
host_window 50x50  # another window, to take the focus

saver_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$SAVER_WINDOW" ]; }

non_triggers() {
    xdotool mousemove 100 100  # the same place as the first report
    xdotool mousemove 100 100
    local button
    for button in 4 5 6 7 8 9; do xdotool click "$button"; done
    xdotool keyup a
    xdotool keyup shift
}

# what closes it (an xdotool command)
TRIGGERS=(
    "key a"
    "key alt+F4"
    "key Escape"
    "click 1"
    "click 2"
    "click 3"
    "mousemove 101 100"
    "mousemove 100 99"
    "mousemove 300 400"
    "windowfocus $HOST_ID"
)

first=1
for trigger in "${TRIGGERS[@]}"; do
    xdotool mousemove 100 100
    start_saver --fullscreen
    if ! find_saver_window; then
        fail "$trigger: no full-screen window of the saver's appeared; it said: $(cat "$WORK/saver.err")"
        kill "$SAVER_PID"
        continue
    elif ! wait_until 5 saver_has_focus; then
        fail "$trigger: the full-screen window $SAVER_WINDOW did not get the focus; $(xdotool getwindowfocus) has it"
        kill "$SAVER_PID"
        continue
    fi
    if [ $first = 1 ]; then
        first=0
        info=$(xwininfo -id "$SAVER_WINDOW")
        if grep -q "Absolute upper-left X:  0" <<<"$info" && grep -q "Absolute upper-left Y:  0" <<<"$info" &&
            grep -q "Width: $SCREEN_W" <<<"$info" && grep -q "Height: $SCREEN_H" <<<"$info"; then
            pass "covers the screen (${SCREEN_W}x${SCREEN_H} at 0,0)"
        else
            fail "does not cover the screen: $info"
        fi
    fi
    non_triggers
    sleep 0.3
    if ! kill -0 "$SAVER_PID" 2>/dev/null; then
        wait "$SAVER_PID" || true
        fail "$trigger: closed on a first pointer report, a repeat, the wheel, extra buttons or a key release"
        continue
    fi
    xdotool $trigger
    if ! ends_within 1 "$SAVER_PID"; then
        fail "$trigger: still running a second later"
        kill -9 "$SAVER_PID"
    elif [ "$ENDED_STATUS" -ne 0 ]; then
        fail "$trigger: status $ENDED_STATUS"
    else
        pass "$trigger closes it, status 0"
    fi
done
finish
