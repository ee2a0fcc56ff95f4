# Under the real xscreensaver daemon, which gives each monitor a window of
# its own and starts a saver in each, every monitor shows Quorvana, and two
# monitors of one size show pictures of their own although both savers
# start in the same second. xscreensaver refuses to run display modes as
# root, so the daemon runs as nobody with a home of this test's own.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/xephyr.sh"
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: running the daemon as another user needs root"
    exit 77
fi

on_heads -screen 640x480 -origin 640,0 -screen 640x480
home="$WORK/home"
mkdir "$home"
printf 'mode:\t\tone\nselected:\t0\nfade:\t\tFalse\nunfade:\t\tFalse\nsplash:\t\tFalse\nprograms:\t"Quorvana" %s --root\n' \
    "$QUORVANA" >"$home/.xscreensaver"
chown -R nobody "$home" "$WORK"
as_user() { (cd "$home" && runuser -u nobody -- env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$@"); }
stop_daemon() { as_user xscreensaver-command -exit >/dev/null 2>&1 || true; }
trap 'stop_daemon; cleanup' EXIT
as_user xscreensaver --no-splash >"$WORK/daemon.log" 2>&1 &
CHILDREN+=($!)
wait_until 20 as_user xscreensaver-command -version >/dev/null 2>&1 || { fail "the daemon did not start"; finish; }
as_user xscreensaver-command -activate >/dev/null

# This test's savers only: those on its display.
savers() {
    local pid
    for pid in $(pgrep -u nobody -f "^$QUORVANA --root"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -q -E "^DISPLAY=$DISPLAY(\.[0-9]+)?$" && echo "$pid"
    done
    true
}
two_savers() { [ "$(savers | wc -l)" -eq 2 ]; }
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
# heads_lit ROWS: each head's area of the screen has ROWS rows that are not black.
heads_lit() { at_least_lit "$1" "$root" 0 480 0 640 && at_least_lit "$1" "$root" 0 480 640 1280; }
wait_until 20 two_savers && pass "the daemon starts a saver for each monitor" || fail "savers running: $(savers | wc -l)"
if wait_until 15 heads_lit 150; then
    pass "every monitor shows Quorvana's rows"
    # Stopped, both have drawn their first 300 rows: the same seed would show
    # the same rows there.
    stopped=$(savers)
    kill -STOP $stopped
    import -window root "$WORK/shot.png"
    kill -CONT $stopped
    convert "$WORK/shot.png" -crop 640x280+0+0 +repage "$WORK/left.png"
    convert "$WORK/shot.png" -crop 640x280+640+0 +repage "$WORK/right.png"
    diff=$(compare -metric AE "$WORK/left.png" "$WORK/right.png" null: 2>&1 || true)
    [ "$diff" -gt 1000 ] && pass "the two monitors show pictures of their own ($diff pixels differ)" ||
        fail "the two monitors show the same picture ($diff pixels differ)"
else
    fail "a monitor shows no rows of Quorvana"
fi
finish
