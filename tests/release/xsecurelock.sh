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
saver=""
find_saver() { saver=$(saver_under "$lock"); [ -n "$saver" ]; }
check "XSECURELOCK_SAVER=.../libexec/xscreensaver/quorvana xsecurelock starts the saver" 'wait_until 20 find_saver'
check "the saver is given the locker's window (\$XSCREENSAVER_WINDOW)" \
      '[ -n "$saver" ] && tr "\0" "\n" <"/proc/$saver/environ" | grep -q "^XSCREENSAVER_WINDOW=0x\?[0-9a-f]"'
shot() { import -window root "$screenshot" 2>/dev/null && enough_green "$screenshot"; }
check "green rows on the locked screen ($screenshot)" 'wait_until 20 shot'
kill "$lock"
check "the saver ends with the locker" '[ -n "$saver" ] && wait_until 10 eval "! kill -0 $saver 2>/dev/null"'
[ "$failures" -eq 0 ] || { echo "--- xsecurelock said:"; tail -n 20 "$WORK/lock.log"; exit 1; }
