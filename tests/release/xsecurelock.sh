#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# README's xsecurelock command: the screen locker runs the installed display
# mode as its saver, which draws in the locker's saver window, under the lock.
# Runs inside tests/support/with-xvfb at 640x480.
# Usage: xsecurelock.sh BUILD_DIR SCREENSHOT
source "$(dirname "$0")/lib.sh" "$1"
screenshot=$2
command -v xsecurelock >/dev/null || { echo "SKIP: xsecurelock is not installed (apt-get install xsecurelock)"; exit 77; }

mode=$PREFIX/usr/libexec/xscreensaver/quorvana
as_user env DISPLAY="$DISPLAY" XSECURELOCK_SAVER="$mode" xsecurelock >"$WORK/lock.log" 2>&1 &
lock=$!
cleanups+=("kill $lock 2>/dev/null; wait $lock 2>/dev/null")
named() { { echo "$1"; descendants "$1"; } | xargs -r ps -o pid=,comm= -p | awk -v name="$2" '$2 == name { print $1; exit }'; }
shot() { import -window root "$screenshot" 2>/dev/null && enough_green "$screenshot"; }
check "green rows on the locked screen ($screenshot)" 'wait_until 20 shot'
# The saver drawing now (xsecurelock may have restarted the first one).
saver=$(saver_under "$lock")
check "XSECURELOCK_SAVER=.../libexec/xscreensaver/quorvana xsecurelock runs the saver" '[ -n "$saver" ]'
check "the saver is given the locker's window (\$XSCREENSAVER_WINDOW)" \
      '[ -n "$saver" ] && tr "\0" "\n" <"/proc/$saver/environ" | grep -q "^XSCREENSAVER_WINDOW=[0-9]"'
locker=$(named "$lock" xsecurelock)
check "xsecurelock ends on SIGTERM" '[ -n "$locker" ] && kill "$locker" && wait_until 10 eval "! kill -0 $locker 2>/dev/null"'
check "the saver ends with the locker" '[ -n "$saver" ] && wait_until 10 eval "! kill -0 $saver 2>/dev/null"'
[ "$failures" -eq 0 ] || { echo "--- xsecurelock said:"; tail -n 20 "$WORK/lock.log"; exit 1; }
