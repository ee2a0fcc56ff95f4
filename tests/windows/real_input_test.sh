#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The saver for real, inside the session's virtual display: xdotool moves the
# mouse, or presses a key, and the process ends with exit code 0. Leaves a
# screenshot of the running saver as saver-screenshot.png in the working
# directory. Usage: real_input_test.sh SESSION_DIR PROGRAM
set -uo pipefail
source "$(dirname "$0")/../support/checks.sh"
session=$(dirname "$0")/wine-session
dir=$1
program=$2

run_case() {
    local what=$1
    shift
    "$session" run "$dir" "$program" /s &
    local pid=$!
    sleep 4  # the window is up and drawing
    if [ "$what" = "mouse" ]; then
        "$session" exec "$dir" import -window root saver-screenshot.png
    fi
    "$session" exec "$dir" xdotool "$@"
    if ! wait_until 5 eval "! kill -0 $pid 2>/dev/null"; then
        fail "$what: the saver is still running"
        kill "$pid" 2>/dev/null
        return
    fi
    wait "$pid"
    local code=$?
    [ $code -eq 0 ] && pass "$what ends the saver" || fail "$what: exit code $code"
}

# The pointer starts somewhere; the first move may only be recorded, the second is away from it.
run_case mouse mousemove 300 300 sleep 0.3 mousemove 310 305
run_case key key a
run_case button click 1

finish
