# SPDX-License-Identifier: MIT
# An exposure restarts the picture, clearing only the exposed area; a new
# window size is taken up at the Expose that follows the resize.
source "$(dirname "$0")/lib.sh"

at_most_lit() { local n=$1; shift; [ "$(lit_rows "$@")" -le "$n" ]; }

# Whole window exposed in the middle of a picture: cleared, then drawn anew from the top.
host_window 160x60
start_saver --window-id "$HOST_ID" --speed 90 --seed 7  # a row every 50 ms
if ! wait_until 5 at_least_lit 12 "$HOST_ID"; then
    fail "whole exposure: the first picture did not get drawn"
else
    "$X11_PROBE" expose "$HOST_ID" 0 0 160 60
    if ! wait_until 1 at_most_lit 2 "$HOST_ID"; then
        fail "whole exposure: the window was not cleared ($(lit_rows "$HOST_ID") rows lit)"
    elif ! wait_until 2 at_least_lit 4 "$HOST_ID" 0 10; then
        fail "whole exposure: no new picture started at the top"
    else
        pass "whole exposure: cleared and restarted from the top"
    fi
fi

# Part of the window exposed: only that part is cleared.
if ! wait_until 5 at_least_lit 20 "$HOST_ID"; then
    fail "partial exposure: the picture did not get drawn"
else
    below=$(lit_rows "$HOST_ID" 20 40)
    "$X11_PROBE" expose "$HOST_ID" 0 0 160 20
    if ! wait_until 1 at_most_lit 2 "$HOST_ID" 0 20; then
        fail "partial exposure: the exposed part was not cleared"
    elif [ "$(lit_rows "$HOST_ID" 20 40)" -ne "$below" ] || [ "$below" -lt 9 ]; then
        fail "partial exposure: rows outside the exposed part changed ($below lit before)"
    else
        pass "partial exposure: only the exposed rows were cleared"
    fi
fi
kill "$SAVER_PID" "$HOST_PID"

# A given window grows: the picture follows it to the new size.
host_window 160x60
start_saver --window-id "$HOST_ID" --seed 5
wait_until 5 at_least_lit 4 "$HOST_ID" || fail "given window: nothing drawn"
"$X11_PROBE" resize "$HOST_ID" 240x90  # the server exposes the whole window
if wait_until 3 at_least_lit 30 "$HOST_ID" 0 90 160 240; then
    pass "given window resized to 240x90: drawn to its new edges"
else
    fail "given window resized to 240x90: columns 160 to 239 stay dark"
fi
kill "$SAVER_PID" "$HOST_PID"

# The own window is resized (as a window manager would): the Expose that
# the server sends with the new size brings the picture to it.
start_saver --seed 5
if find_saver_window; then
    wait_until 5 at_least_lit 4 "$SAVER_WINDOW" || fail "own window: nothing drawn"
    xdotool windowsize "$SAVER_WINDOW" 1000 700
    if wait_until 5 at_least_lit 100 "$SAVER_WINDOW" 0 700 800 1000; then
        pass "own window resized to 1000x700: drawn to its new edges"
    else
        fail "own window resized to 1000x700: columns 800 to 999 stay dark"
    fi
else
    fail "own window did not appear"
fi
finish
