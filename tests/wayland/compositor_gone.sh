#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana --fullscreen on Wayland when the compositor goes away: it ends
# with one line on its standard error and status 1.
# Needs QUORVANA and VIRTUAL_POINTER (tests/wayland/CMakeLists.txt).
source "$(dirname "$0")/lib.sh"
saver_session

# Its standard error kept (sh execs it, same pid).
session_start saver sh -c "exec quorvana --fullscreen 2>$RUNTIME/gone.err"
wait_until 10 covered HEADLESS-1 640x480 || true
sway_msg exit >/dev/null 2>&1 || true
status=0
wait_until 10 eval '! alive "$saver"' && { wait "$saver" 2>/dev/null || status=$?; }
check "the compositor going away ends it with status 1 and one line: $(cat "$RUNTIME/gone.err")" \
      '[ "$status" -eq 1 ] && [ "$(wc -l <"$RUNTIME/gone.err")" -eq 1 ]'
wayland_finish
