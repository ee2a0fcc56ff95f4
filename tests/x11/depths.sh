# SPDX-License-Identifier: MIT
# Visual depths, on a display whose root is 16 bits deep but which also
# offers a 32-bit TrueColor visual (with alpha): the saver's own window and a
# given 32-bit window are drawn in it, the same pictures as the exporter's;
# a 16-bit window is refused with one line and status 1.
source "$(dirname "$0")/lib.sh"

# A given 32-bit window holds the exporter's picture, with shared memory and
# without, and in a theme, whose red and blue go where the visual's masks say.
for option in "" --no-shm --theme=warm; do
    host_window 128x72 32
    status=0
    timeout 20 "$QUORVANA" --window-id "$HOST_ID" --seed 13 --pictures 2 ${option:+"$option"} || status=$?
    look=()
    [[ $option == --theme=* ]] && look=("$option")
    diff=$(differing_pixels "$HOST_ID" 13 128x72 2 "${look[@]}")
    if [ "$status" -eq 0 ] && [ "$diff" = "0" ] && at_least_lit 10 "$HOST_ID"; then
        pass "32-bit window ${option:-with shared memory}: the exporter's picture"
    else
        fail "32-bit window ${option:-with shared memory}: status $status, $diff pixels differ"
    fi
    kill "$HOST_PID"
done

# The own window picks the 32-bit visual when the default one will not do.
start_saver --seed 13
if find_saver_window && wait_until 5 at_least_lit 10 "$SAVER_WINDOW"; then
    xwininfo -id "$SAVER_WINDOW" | grep -q 'Depth: 32' && pass "own window: 32 bits deep and drawn" ||
        fail "own window: not 32 bits deep"
else
    fail "own window: not drawn"
fi
kill "$SAVER_PID"

# 16-bit windows: refused.
host_window 64x64
for args in "--root" "--window-id $HOST_ID"; do
    status=0
    # shellcheck disable=SC2086
    "$QUORVANA" $args 2>"$WORK/err" || status=$?
    if [ "$status" -eq 1 ] && [ "$(wc -l <"$WORK/err")" -eq 1 ] && grep -q "depth 16" "$WORK/err"; then
        pass "$args on a 16-bit window: $(cat "$WORK/err")"
    else
        fail "$args on a 16-bit window: status $status, $(cat "$WORK/err")"
    fi
done
finish
