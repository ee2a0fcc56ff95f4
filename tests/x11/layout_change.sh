# SPDX-License-Identifier: MIT
# --fullscreen follows the monitors: after a RandR screen change (xrandr -s
# shrinking or growing a resizeable Xephyr's screen, over RandR 1.5 monitors
# a client defines), a window covers each monitor as it now is, and draws.
# The primary's monitor stays as it was, so its window stays (a repaint
# after the change only restarts the exposed picture); a monitor cut by the new size or gone loses its window; one that comes
# back gets a new window whose pictures are not the old one's.
source "$(dirname "$0")/lib.sh"

host=$DISPLAY
exec {fd}< <(DISPLAY=$host exec Xephyr -resizeable -screen 1600x1200 -displayfd 1 -nolisten tcp 2>/dev/null)
CHILDREN+=($!)
read -r -t 20 number <&"$fd"
export DISPLAY=":$number"
host_window 1x1+5000+5000  # keeps the server from resetting
xdotool mousemove 5 5

windows() { xdotool search --onlyvisible --name '^Quorvana$' 2>/dev/null | sort || true; }
geometry() { xwininfo -id "$1" | awk '/upper-left X/ {x=$4} /upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
                                      END {print w "x" h "+" x "+" y}'; }
layout() { local w; for w in $(windows); do geometry "$w"; done | sort | xargs; }
all_lit() { local w; for w in $(windows); do at_least_lit "$1" "$w" || return 1; done; }
# laid_out "MONITORS": one window over each of them, each drawing.
laid_out() { [ "$(layout)" = "$1" ] && all_lit 20; }
# covers SIZE MONITORS...: after xrandr -s SIZE, one window over each monitor, each drawing.
covers() {
    local size=$1
    shift
    xrandr -s "$size" 2>/dev/null
    if wait_until 5 laid_out "$(printf "%s\n" "$@" | sort | xargs)"; then
        pass "screen $size: a window over each of $*, drawing"
    else
        fail "screen $size: windows $(layout), not $*"
    fi
}
# top_rows WINDOW FILE: the window's first 300 rows (the set shows below the first 150), once it has drawn them.
top_rows() {
    wait_until 8 at_least_lit 300 "$1" || true
    "$X11_PROBE" dump "$1" "$WORK/dump.ppm"
    convert "$WORK/dump.ppm" -crop "x300+0+0" +repage "$2"
}

"$X11_PROBE" monitors 0 '640x480+0+0*' 960x720+640+0
start_saver --fullscreen --seed 5
wait_until 5 laid_out "640x480+0+0 960x720+640+0" || fail "no window over each monitor at the start: $(layout)"
primary=$(xdotool getwindowfocus)
second=$(windows | grep -vx "$primary")
top_rows "$second" "$WORK/second-before.png"

covers 1280x1024 640x480+0+0 640x720+640+0  # the second monitor cut by the screen's edge
covers 640x480 640x480+0+0                  # and gone
covers 1600x1200 640x480+0+0 960x720+640+0  # and back
[ "$(xdotool getwindowfocus)" = "$primary" ] && windows | grep -qx "$primary" &&
    pass "the primary's window stayed through every change, with the focus" ||
    fail "the primary's window $primary did not stay: now $(windows | xargs), focus $(xdotool getwindowfocus)"
again=$(windows | grep -vx "$primary")
top_rows "$again" "$WORK/second-after.png"
differing=$(compare -metric AE "$WORK/second-before.png" "$WORK/second-after.png" null: 2>&1 || true)
[ "$again" != "$second" ] && [ "$differing" -gt 1000 ] &&
    pass "the monitor that came back has a new window with pictures of its own" ||
    fail "the monitor that came back shows the pictures of its old window"
import -window root "$WORK/screen.png"
[ -z "${LAYOUT_SCREENSHOT:-}" ] || cp "$WORK"/*.png "$LAYOUT_SCREENSHOT"

xdotool key a
ends_within 2 "$SAVER_PID" && [ "$ENDED_STATUS" -eq 0 ] && [ -z "$(windows)" ] &&
    pass "a key still ends it, status 0, no window left" || fail "a key did not end it cleanly"
finish
