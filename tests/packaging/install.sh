# SPDX-License-Identifier: MIT
# Installs the package with dpkg as a new user's machine would, runs it with
# the real xscreensaver daemon as an unprivileged user, and removes it again.
# It needs root (CI runs as root) and the display of tests/support/with-xvfb.
# Usage: install.sh DEB SCREENSHOT
set -euo pipefail
source "$(dirname "$0")/../support/checks.sh"
deb=$1 screenshot=$2
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: dpkg -i and a second user need root; CI runs this as root"
    exit 77
fi
# One package test at a time on a machine: dpkg has one database.
lock=/var/lock/quorvana-package-test.lock
exec 9>"$lock"
flock -w 120 9 || { echo "FAIL: another package test has held $lock for two minutes" >&2; exit 1; }

make_work /tmp/quorvana-home.XXXXXX
home=$WORK daemon=""
# On any failure, and on an end that set -e forced, what would explain it
# comes first: the daemon's log and where the screenshot is.
cleanup() {
    if [ "$exit_status" -ne 0 ] || [ "$failures" -ne 0 ]; then
        echo "--- the daemon's log ($home/daemon.log), last 40 lines:"
        tail -n 40 "$home/daemon.log" 2>/dev/null || echo "(none)"
        echo "--- the screenshot: $screenshot"
    fi
    [ -z "$daemon" ] || { as_user xscreensaver-command -exit >/dev/null 2>&1 || true; kill "$daemon" 2>/dev/null || true; wait "$daemon" 2>/dev/null || true; }
    dpkg-query -W -f='${Status}' quorvana 2>/dev/null | grep -q 'ok installed' && dpkg -r quorvana >/dev/null 2>&1
}
at_exit cleanup

# --- install --------------------------------------------------------------
check "dpkg -i" 'dpkg -i "$deb" >/dev/null'
mapfile -t files < <(dpkg -L quorvana | while read -r path; do [ -d "$path" ] || echo "$path"; done)
check "installs ${#files[@]} files, the display mode among them" \
      '[ -x /usr/libexec/xscreensaver/quorvana ] && [ -f /usr/share/xscreensaver/config/quorvana.xml ]'
check "quorvana --help runs from /usr/bin" '[ "$(command -v quorvana)" = /usr/bin/quorvana ] && quorvana --help | grep -q -- --register'
check "quorvana-render --help runs from /usr/bin" 'quorvana-render --help | grep -q -- --size'
check "man finds quorvana(6) and quorvana-render(1)" 'man -w 6 quorvana >/dev/null && man -w 1 quorvana-render >/dev/null'

# --- a new user registers Quorvana and the real daemon runs it ------------
# xscreensaver refuses to run display modes as root, so the user is nobody,
# with a home of this test's own (xscreensaver 6 honours $HOME).
give_to_test_user "$home"
as_user() { (cd "$home" && "${as_test_user[@]}" env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$@"); }
# The user has chosen "Only One Screen Saver", the first of the list, and
# has no display mode of their own yet; no fading, to keep the test short.
printf 'mode:\t\tone\nselected:\t0\nfade:\t\tFalse\nunfade:\t\tFalse\nsplash:\t\tFalse\nprograms:\t\n' >"$home/.xscreensaver"
give_to_test_user "$home/.xscreensaver"
cp "$home/.xscreensaver" "$home/before"

as_user xscreensaver --no-splash --verbose >"$home/daemon.log" 2>&1 &
daemon=$!
check "the daemon starts" 'wait_until 20 as_user xscreensaver-command -version >/dev/null 2>&1'
check "quorvana --register, while the daemon runs" 'as_user quorvana --register >/dev/null'
check "xscreensaver-command -activate" 'as_user xscreensaver-command -activate >/dev/null'
# The display mode this test's daemon started, not another user's of the machine.
descendants() { local child; for child in $(pgrep -P "$1"); do echo "$child"; descendants "$child"; done; }
saver=""
find_saver() { saver=$(descendants "$daemon" | xargs -r ps -o pid=,comm= -p | awk '$2 == "quorvana" { print $1; exit }'); [ -n "$saver" ]; }
check "xscreensaver runs quorvana --root" 'wait_until 20 find_saver && grep -q "forked \"quorvana --root\"" "$home/daemon.log"'
# At least a tenth of the screen in pure greens: rows of a picture, not a stray pixel.
green_pixels() {
    import -window root "$screenshot" 2>/dev/null &&
        [ "$(convert "$screenshot" -fx '(r == 0 && b == 0 && g > 0) ? 1 : 0' -format '%[fx:int(mean * w * h)]' info:)" -ge 30000 ]
}
check "it draws green on the screen ($screenshot)" 'wait_until 20 green_pixels'
check "xscreensaver-command -deactivate" 'as_user xscreensaver-command -deactivate >/dev/null'
check "it ends when the screen is unblanked" '[ -n "$saver" ] && wait_until 10 eval "! kill -0 $saver 2>/dev/null"'
check "no shared-memory segment of it is left" '[ -n "$saver" ] && ! ipcs -m -p | awk -v pid="$saver" "\$3 == pid { found = 1 } END { exit !found }"'
check "quorvana --unregister gives the file back as it was" 'as_user quorvana --unregister >/dev/null && cmp -s "$home/before" "$home/.xscreensaver"'
# --- remove ---------------------------------------------------------------
check "dpkg -r" 'dpkg -r quorvana >/dev/null'
left=0
for path in "${files[@]}"; do [ -e "$path" ] || [ -L "$path" ] && { echo "left: $path" >&2; left=$((left + 1)); }; done
check "nothing of it is left" '[ "$left" -eq 0 ] && ! dpkg-query -W -f="\${Status}" quorvana 2>/dev/null | grep -q "ok installed"'
finish
