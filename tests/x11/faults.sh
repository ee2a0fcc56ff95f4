# SPDX-License-Identifier: MIT
# Faults from the X side: the server going away under a drawing saver (exit
# status 1, one line); the given window destroyed at once after the start,
# between the saver's requests (status 0, or 2 with one line when it was
# gone before the saver looked); a server that offers MIT-SHM but cannot
# reach the saver's segment (here: a server in an IPC namespace of its own),
# where the saver must fall back to sending the pictures through the
# connection and still draw exactly the exporter's picture; a given window,
# the root window of a large screen, full screen over it, and an own window
# a window manager makes as large, each too large for the saver's memory.
source "$(dirname "$0")/lib.sh"

# own_xvfb [COMMAND PREFIX...]: a further display of this script's own, of
# OWN_SCREEN (320x240x24 unless set); sets OWN_DISPLAY and OWN_XVFB_PID.
own_xvfb() {
    exec {fd}< <(exec "$@" Xvfb -displayfd 1 -screen 0 "${OWN_SCREEN:-320x240x24}" -nolisten tcp 2>/dev/null)
    OWN_XVFB_PID=$!
    CHILDREN+=("$OWN_XVFB_PID")
    local number
    read -r -t 20 number <&"$fd" || { fail "own Xvfb did not start"; return 1; }
    OWN_DISPLAY=":$number"
}

# The server goes away while the saver draws.
for target in --root own; do
    own_xvfb || break
    args=(--seed 3)
    [ "$target" = own ] || args+=("$target")
    DISPLAY=$OWN_DISPLAY "$QUORVANA" "${args[@]}" 2>"$WORK/lost.err" &
    pid=$!
    sleep 0.5
    kill "$OWN_XVFB_PID"
    if ! ends_within 3 "$pid"; then
        fail "server gone ($target): the saver still runs"; kill -KILL "$pid"
    elif [ "$ENDED_STATUS" -ne 1 ] || [ "$(wc -l <"$WORK/lost.err")" -ne 1 ] ||
        ! grep -q 'lost the connection to the X server' "$WORK/lost.err"; then
        fail "server gone ($target): status $ENDED_STATUS, said: $(cat "$WORK/lost.err")"
    else
        pass "server gone ($target): status 1, one line"
    fi
done

# The given window destroyed right after the start, at a different moment each time.
destroyed=0
for delay in 0 0 0 0.01 0.02 0.03 0.05 0.08 0.1 0.2; do
    host_window 64x48
    start_saver --window-id "$HOST_ID"
    sleep "$delay"
    "$X11_PROBE" destroy "$HOST_ID"
    if ! ends_within 3 "$SAVER_PID"; then
        fail "window destroyed after ${delay}s: the saver still runs"; kill -KILL "$SAVER_PID"
    elif { [ "$ENDED_STATUS" -eq 0 ] && [ ! -s "$WORK/saver.err" ]; } ||
        { [ "$ENDED_STATUS" -eq 2 ] && [ "$(wc -l <"$WORK/saver.err")" -eq 1 ] &&
            grep -q "there is no window" "$WORK/saver.err"; }; then
        destroyed=$((destroyed + 1))
    else
        fail "window destroyed after ${delay}s: status $ENDED_STATUS, said: $(cat "$WORK/saver.err")"
    fi
    kill "$HOST_PID"
done
[ "$destroyed" -eq 10 ] && pass "window destroyed under the saver: ended cleanly 10 times"

# A given window larger than the saver's memory allows (1 GiB of pixels,
# 256 MiB of address space): status 1, one line, no segment of its own left.
# Only the saver's own segments count: other tests make and remove theirs
# meanwhile.
host_window 16384x16384
( ulimit -v 262144; exec "$QUORVANA" --window-id "$HOST_ID" ) 2>"$WORK/large.err" &
pid=$!
if ! ends_within 20 "$pid"; then
    fail "window too large for memory: the saver still runs"; kill -KILL "$pid"
elif [ "$ENDED_STATUS" -eq 1 ] && [ "$(wc -l <"$WORK/large.err")" -eq 1 ] &&
    grep -q 'not enough memory' "$WORK/large.err" &&
    ! ipcs -m -p | awk -v pid="$pid" '$3 == pid { found = 1 } END { exit !found }'; then
    pass "window too large for memory: status 1, one line"
else
    fail "window too large for memory: status $ENDED_STATUS, said: $(cat "$WORK/large.err"); its segments: $(ipcs -m -p | awk -v pid="$pid" '$3 == pid')"
fi
kill "$HOST_PID"

# A screen of 48 MiB of pixels, with 40 MiB of address space (the saver
# starts in less than 20): its root window, full screen over it, and an own
# window a window manager makes as large (xdotool), which the saver meets
# at the Expose after the resize. Status 1 and one line each time.
if OWN_SCREEN=4096x3072x24 own_xvfb; then
    for target in --root --fullscreen own; do
        args=(--pictures 1)
        [ "$target" = own ] || args+=("$target")
        ( ulimit -v 40960; DISPLAY=$OWN_DISPLAY exec "$QUORVANA" "${args[@]}" ) 2>"$WORK/screen.err" &
        SAVER_PID=$!
        CHILDREN+=("$SAVER_PID")
        if [ "$target" = own ]; then
            DISPLAY=$OWN_DISPLAY find_saver_window || fail "own window too large for memory: no window"
            [ -z "$SAVER_WINDOW" ] || DISPLAY=$OWN_DISPLAY xdotool windowsize "$SAVER_WINDOW" 4096 3072
        fi
        if ! ends_within 20 "$SAVER_PID"; then
            fail "$target on a screen too large for memory: the saver still runs"; kill -KILL "$SAVER_PID"
        elif [ "$ENDED_STATUS" -eq 1 ] && [ "$(cat "$WORK/screen.err")" = "quorvana: not enough memory for a window this large" ]; then
            pass "$target on a screen too large for memory: status 1, one line"
        else
            fail "$target on a screen too large for memory: status $ENDED_STATUS, said: $(cat "$WORK/screen.err")"
        fi
    done
    kill "$OWN_XVFB_PID"
fi

# MIT-SHM offered, but the server cannot attach the saver's segment.
if ! unshare --ipc true 2>/dev/null; then
    echo "skipped: shared memory refused (unshare --ipc needs root)"
elif own_xvfb unshare --ipc; then
    saved_display=$DISPLAY
    export DISPLAY=$OWN_DISPLAY
    host_window 128x72
    # A file descriptor would reach the server in any namespace: the server seems to take none.
    if ! timeout 20 env LD_PRELOAD="$PUT_GUARD" PUT_GUARD_OLD_SERVER=1 "$QUORVANA" --window-id "$HOST_ID" --seed 19 \
        --pictures 2 2>"$WORK/refused.err" || ! grep -q "memory none puts 0" "$WORK/refused.err"; then
        fail "shared memory refused: the saver failed: $(cat "$WORK/refused.err")"
    else
        diff=$(differing_pixels "$HOST_ID" 19 128x72 2)
        [ "$diff" = 0 ] && [ "$(lit_rows "$HOST_ID")" -ge 10 ] &&
            pass "shared memory refused: fell back and drew the exporter's picture" ||
            fail "shared memory refused: $diff pixels differ from the exporter"
    fi
    kill "$HOST_PID"
    export DISPLAY=$saved_display
fi

# A 32-bit window (its image has alpha, so the saver's store is apart from it): the image fits
# in memory, the store does not (256 MB each in 400 MB): status 1 and one line.
host_window 8000x8000 32
status=0
( ulimit -v 400000; exec timeout 20 "$QUORVANA" --window-id "$HOST_ID" ) 2>"$WORK/image.err" || status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <"$WORK/image.err")" -eq 1 ] && grep -q 'not enough memory' "$WORK/image.err" &&
    pass "store apart from the image too large for memory: status 1, one line" ||
    fail "store apart from the image too large for memory: status $status, said: $(cat "$WORK/image.err")"
kill "$HOST_PID"

finish
