# SPDX-License-Identifier: MIT
# Started with descriptor 2 closed (2>&-), the saver opens it on /dev/null
# before anything else can take the number: not its stop-signal pipe, not
# the X connection, so no error line goes down either. Errors then end with
# the same status, their line written nowhere.
source "$(dirname "$0")/lib.sh"

"$QUORVANA" --seed 3 2>&- &
SAVER_PID=$!
CHILDREN+=("$SAVER_PID")
if find_saver_window && [ "$(readlink "/proc/$SAVER_PID/fd/2")" = /dev/null ]; then
    pass "2>&-: descriptor 2 holds /dev/null"
else
    fail "2>&-: descriptor 2 is $(readlink "/proc/$SAVER_PID/fd/2" || echo gone)"
fi
kill "$SAVER_PID"

# what goes wrong | arguments | status
while IFS='|' read -r what args expected; do
    status=0
    # shellcheck disable=SC2086
    "$QUORVANA" $args 2>&- || status=$?
    [ "$status" -eq "$expected" ] && pass "2>&-, $what: status $status" || fail "2>&-, $what: status $status"
done <<'CASES'
no such window|--window-id 0x7|2
a bad argument|--speed 101|2
CASES
status=0
DISPLAY=:9999 "$QUORVANA" 2>&- || status=$?
[ "$status" -eq 2 ] && pass "2>&-, no display: status 2" || fail "2>&-, no display: status $status"
finish
