#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The xsecurelock command of docs/linux.md: the locker runs the installed display mode,
# which draws in the locker's saver window, under the lock, and ends with it.
# Usage (inside tests/support/with-xvfb -s 640x480x24): xsecurelock.sh BUILD_DIR SCREENSHOT
source "$(dirname "$0")/lib.sh" "$1"
screenshot=$2
command -v xsecurelock >/dev/null || { echo "SKIP: apt-get install xsecurelock"; exit 77; }
as_user env DISPLAY="$DISPLAY" XSECURELOCK_SAVER="$PREFIX/usr/libexec/xscreensaver/quorvana" xsecurelock >"$WORK/log" 2>&1 &
lock=$!
at_exit "kill $lock; wait $lock"
shot() { import -window root "$screenshot" 2>/dev/null && enough_green "$screenshot"; }
check "green rows on the locked screen ($screenshot)" 'wait_until 20 shot'
# The saver drawing now: xsecurelock may have restarted the first one.
saver=$(named "$lock" quorvana) locker=$(named "$lock" xsecurelock)
check "the saver draws in the window of \$XSCREENSAVER_WINDOW" \
      '[ -n "$saver" ] && tr "\0" "\n" <"/proc/$saver/environ" | grep -q "^XSCREENSAVER_WINDOW=[0-9]"'
check "it ends with the locker" '[ -n "$locker" ] && kill "$locker" && wait_until 10 eval "! kill -0 $saver"'
[ "$failures" -eq 0 ] || tail -n 20 "$WORK/log"
finish
