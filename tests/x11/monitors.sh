# SPDX-License-Identifier: MIT
# --fullscreen on RandR 1.5 monitors a client defines, then on Xephyr's Xinerama heads (RandR off): a window
# over each with its own pictures, the primary's focused; input on another monitor ends it, status 0, no window
# left. Under xscreensaver (as nobody: root only) each monitor's saver too.
source "$(dirname "$0")/lib.sh"

host=$DISPLAY
# on_heads XEPHYR_ARGS...: Xephyr's heads become DISPLAY (it places the screen after an -origin).
on_heads() {
    exec {fd}< <(DISPLAY=$host exec Xephyr +xinerama -extension RANDR "$@" -displayfd 1 -nolisten tcp 2>/dev/null)
    CHILDREN+=($!)
    read -r -t 20 number <&"$fd"
    export DISPLAY=":$number"
    host_window 1x1+5000+5000  # keeps the server from resetting between savers
}
windows() { xdotool search --onlyvisible --name '^Quorvana$' 2>/dev/null || true; }
geometry() { xwininfo -id "$1" | awk '/upper-left X/ {x=$4} /upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
                                      END {print w "x" h "+" x "+" y}'; }
# all_lit ROWS COUNT: COUNT windows, each with ROWS rows that are not black.
all_lit() { [ "$(windows | wc -l)" -eq "$2" ] && for w in $(windows); do at_least_lit "$1" "$w" || return 1; done; }
# covers PRIMARY OTHERS...: one window over each monitor (WxH+X+Y), each its own picture.
covers() {
    start_saver --fullscreen --seed 11
    wait_until 5 all_lit 10 $# || fail "$# monitors: a window is missing or draws nothing"
    local got dumps=() w
    got="$(geometry "$(xdotool getwindowfocus)") $(for w in $(windows); do geometry "$w"; done | sort | xargs)"
    [ "$got" = "$1 $(printf '%s\n' "$@" | sort | xargs)" ] &&
        pass "$# monitors: a window over each, drawing; the primary's has the focus" ||
        fail "$# monitors: focus and windows $got, not $*"
    # Stopped, they have drawn the same 300 rows: only their seeds tell them apart.
    wait_until 10 all_lit 150 $# && kill -STOP "$SAVER_PID"
    for w in $(windows); do "$X11_PROBE" dump "$w" "$WORK/$w.ppm" && dumps+=("$WORK/$w.ppm"); done
    kill -CONT "$SAVER_PID"
    [ "$(md5sum "${dumps[@]}" | cut -d' ' -f1 | sort -u | wc -l)" -eq $# ] &&
        pass "$# monitors: each shows a picture of its own" || fail "$# monitors: two show the same picture"
    kill "$SAVER_PID" && ends_within 2 "$SAVER_PID"
}
"$X11_PROBE" monitors 0 1000x700+0+0 '1200x700+1000+0*'  # RandR's primary listed second
covers 1200x700+1000+0 1000x700+0+0
on_heads -screen 800x600 -origin 800,0 -screen 640x480 -origin 1440,0 -screen 640x480
covers 800x600+0+0 640x480+800+0 640x480+1440+0
# The pointer at X, Y; the saver on the three monitors; the input on another monitor ends it.
for input in "1100 240 key a" "1100 240 click 1" "1700 240 mousemove 1701 240"; do
    set -- $input
    xdotool mousemove "$1" "$2"
    start_saver --fullscreen
    wait_until 5 all_lit 10 3 || true
    xdotool "${@:3}"
    ends_within 2 "$SAVER_PID" && [ "$ENDED_STATUS" -eq 0 ] && [ -z "$(windows)" ] &&
        pass "${*:3} on another monitor ends it, status 0, no window left" || fail "${*:3}: it did not end cleanly"
done

[ "$(id -u)" -eq 0 ] || { echo "skipped: xscreensaver as another user needs root"; finish; exit; }
# The daemon's user may not reach the build tree (under /root, say): it runs a copy from its own home.
cp "$QUORVANA" "$WORK/quorvana"
printf 'mode: one\nselected: 0\nsplash: False\nprograms: "Quorvana" %s --root\n' "$WORK/quorvana" >"$WORK/.xscreensaver"
give_to_test_user "$WORK"
as_user() { (cd "$WORK" && "${as_test_user[@]}" env -i HOME="$WORK" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$@"); }
at_exit 'as_user xscreensaver-command -exit'
as_user xscreensaver --no-splash &>/dev/null & CHILDREN+=($!)
wait_until 20 as_user xscreensaver-command -activate &>/dev/null
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
heads_lit() { at_least_lit 150 "$root" 0 480 800 1440 && at_least_lit 150 "$root" 0 480 1440 2080; }
# Its savers start in the same second; the 280 rows both have drawn must differ.
if ! wait_until 20 heads_lit; then
    fail "xscreensaver: lit rows on the 640x480 heads: $(lit_rows "$root" 0 480 800 1440), $(lit_rows "$root" 0 480 1440 2080)"
else
    import -window root -crop 640x280+800+0 "$WORK/a.png"
    import -window root -crop 640x280+1440+0 "$WORK/b.png"
    differing=$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true)
    [ "$differing" -gt 1000 ] &&
        pass "xscreensaver: each monitor shows Quorvana, of one size pictures of their own" ||
        fail "xscreensaver: the two 640x480 heads differ in only $differing pixels"
fi
finish
