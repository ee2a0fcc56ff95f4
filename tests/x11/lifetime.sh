# SPDX-License-Identifier: MIT
# How the saver ends: when the window it draws on is destroyed, on SIGTERM,
# SIGINT and SIGHUP (the ending signals), and on the window manager's close request or the quitting keys
# (q, Q, Escape, Ctrl-C) in its own window; each time within a second and
# with status 0. Other keys leave its own window open. Its own window is
# 800 x 600 and titled "Quorvana". A signal it inherits as ignored (nohup,
# a background job without job control) stays ignored.
source "$(dirname "$0")/lib.sh"
# Job control keeps SIGINT from being ignored in the background job, as it is
# in a terminal.
set -m

# what the saver draws on | what ends it
CASES=(
    "given|host-exits"
    "given|destroy"
    "given|TERM"
    "own|TERM"
    "own|INT"
    "own|HUP"
    "own|close-request"
    "own|key q"
    "own|key shift+q"
    "own|key Escape"
    "own|key ctrl+c"
)
# keys that leave its own window open
STAYS=(a c shift+c alt+c space Return)

for case in "${CASES[@]}"; do
    IFS='|' read -r where ending <<<"$case"
    if [ "$where" = given ]; then
        host_window 160x120
        start_saver --window-id "$HOST_ID" --seed 3
        window=$HOST_ID
        wait_until 5 at_least_lit 2 "$window" || { fail "$case: nothing drawn"; continue; }
    else
        start_saver
        find_saver_window || { fail "$case: no window"; continue; }
        window=$SAVER_WINDOW
    fi
    case $ending in
        host-exits) kill "$HOST_PID" ;;
        destroy) "$X11_PROBE" destroy "$window" ;;
        TERM | INT | HUP) kill -s "$ending" "$SAVER_PID" ;;
        close-request) "$X11_PROBE" close "$window" ;;
        key*) xdotool windowfocus --sync "$window" key ${ending#key } ;;
    esac
    if ! ends_within 1 "$SAVER_PID"; then
        fail "$case: still running a second later"
        kill -9 "$SAVER_PID"
    elif [ "$ENDED_STATUS" -ne 0 ]; then
        fail "$case: status $ENDED_STATUS ($(cat "$WORK/saver.err"))"
    else
        pass "$case: ended with status 0"
    fi
    [ "$where" = given ] && kill "$HOST_PID" 2>/dev/null || true
done

start_saver
find_saver_window && xdotool windowfocus --sync "$SAVER_WINDOW" key "${STAYS[@]}" && sleep 0.3
kill -0 "$SAVER_PID" 2>/dev/null && pass "own: ${STAYS[*]} leave it open" || fail "own: one of ${STAYS[*]} ended it"
kill "$SAVER_PID"

# nohup: a hangup it was told to ignore leaves it drawing; SIGTERM still ends it.
QUORVANA=nohup start_saver "$QUORVANA"
find_saver_window && kill -s HUP "$SAVER_PID" && sleep 0.5
kill -0 "$SAVER_PID" 2>/dev/null && pass "nohup: a hangup leaves it running" || fail "nohup: a hangup ended it"
kill "$SAVER_PID"
ends_within 1 "$SAVER_PID" && pass "nohup: SIGTERM still ends it" || fail "nohup: SIGTERM did not end it"

# The own window as it first appears.
start_saver
if find_saver_window; then
    info=$(xwininfo -id "$SAVER_WINDOW")
    grep -q 'Width: 800' <<<"$info" && grep -q 'Height: 600' <<<"$info" &&
        grep -q '"Quorvana"' <<<"$info" && pass "own window: 800 x 600, titled Quorvana" ||
        fail "own window: $info"
else
    fail "own window did not appear"
fi
kill "$SAVER_PID"
finish
