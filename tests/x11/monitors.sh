# The full-screen saver on several monitors: RandR 1.5 monitors that a
# client defines on this test's own Xvfb, then Xinerama heads that Xephyr,
# inside that Xvfb, lays out (RandR off, as on servers that have none).
# One window covers each monitor, draws within seconds, and shows pictures
# of its own, even beside a monitor of the same size; the primary's takes
# the focus. A key, a click and a movement with the pointer on another
# monitor each end the saver with status 0 and leave no window.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/xephyr.sh"

saver_windows() { xdotool search --onlyvisible --name '^Quorvana$' 2>/dev/null || true; }
count_saver_windows() { [ "$(saver_windows | wc -l)" -eq "$1" ]; }
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                      /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}'; }
# all_lit ROWS: every saver window has at least ROWS rows that are not black.
all_lit() { local w; for w in $(saver_windows); do at_least_lit "$1" "$w" || return 1; done; }

# covers HEADS...: one saver's windows, each over one of the heads (WxH+X+Y).
covers() {
    local expected=("$@")
    start_saver --fullscreen --seed 11
    if ! wait_until 5 count_saver_windows "${#expected[@]}"; then
        fail "${#expected[@]} heads: $(saver_windows | wc -l) windows"
        kill "$SAVER_PID"
        return
    fi
    local got
    got=$(for w in $(saver_windows); do geometry "$w"; done | sort)
    [ "$got" = "$(printf '%s\n' "${expected[@]}" | sort)" ] && pass "${#expected[@]} heads: one window over each" ||
        fail "${#expected[@]} heads: windows at $(echo $got), not at ${expected[*]}"
    wait_until 5 all_lit 10 && pass "${#expected[@]} heads: every window draws rows within seconds" ||
        fail "${#expected[@]} heads: a window draws nothing"
    local primary
    primary=$(for w in $(saver_windows); do if [ "$(geometry "$w")" = "${expected[0]}" ]; then echo "$w"; fi; done)
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$primary" ] && pass "${#expected[@]} heads: the primary's window has the focus" ||
        fail "${#expected[@]} heads: the focus is not on the primary's window"
    # Stopped, every window has drawn the same ticks: only their seeds tell
    # them apart. (The first rows of two views are often alike: wait for 150
    # lit rows, 300 drawn, odd rows staying black.)
    wait_until 10 all_lit 150 || fail "${#expected[@]} heads: the windows stopped drawing"
    kill -STOP "$SAVER_PID"
    local same=() w
    for w in $(saver_windows); do
        if [ "$(geometry "$w" | cut -d+ -f1)" = 640x480 ]; then
            "$X11_PROBE" dump "$w" "$WORK/$w.ppm"
            same+=("$WORK/$w.ppm")
        fi
    done
    kill -CONT "$SAVER_PID"
    if [ ${#same[@]} -eq 2 ]; then
        local diff
        diff=$(compare -metric AE "${same[0]}" "${same[1]}" null: 2>&1 || true)
        [ "$diff" != 0 ] && pass "two monitors of one size show pictures of their own ($diff pixels differ)" ||
            fail "two monitors of one size show the same picture ($diff)"
    fi
    kill "$SAVER_PID"
    ends_within 2 "$SAVER_PID" || fail "the saver did not end on SIGTERM"
}

# ends_on WHAT X Y XDOTOOL_ARGS...: with the pointer resting at X, Y on a
# monitor other than the primary, the input ends the saver, status 0, and
# no window stays behind.
ends_on() {
    local what=$1 x=$2 y=$3
    shift 3
    xdotool mousemove "$x" "$y"
    start_saver --fullscreen
    local heads
    heads=$(xdpyinfo -ext XINERAMA | grep -c 'head #')
    wait_until 5 count_saver_windows "$heads" && wait_until 5 all_lit 10 || fail "$what: the saver did not come up"
    xdotool "$@"
    if ! ends_within 2 "$SAVER_PID"; then
        fail "$what: still running"
        kill -9 "$SAVER_PID"
    elif [ "$ENDED_STATUS" -ne 0 ]; then
        fail "$what: status $ENDED_STATUS"
    elif ! count_saver_windows 0; then
        fail "$what: a window stayed behind"
    else
        pass "$what ends the saver, status 0, no window left"
    fi
}

# RandR's primary is the second monitor listed: its window comes first.
"$X11_PROBE" monitors 0 1000x700+0+0 '1200x700+1000+0*'
covers 1200x700+1000+0 1000x700+0+0

on_heads -screen 800x600 -origin 800,0 -screen 640x480
covers 800x600+0+0 640x480+800+0
ends_on "a key" 1100 240 key a
ends_on "a click on the second monitor" 1100 240 click 1
ends_on "a movement on the second monitor" 1100 240 mousemove 1101 240

on_heads -screen 800x600 -origin 800,0 -screen 640x480 -origin 1440,0 -screen 640x480
covers 800x600+0+0 640x480+800+0 640x480+1440+0
ends_on "a click on the third monitor" 1700 100 click 3
finish
