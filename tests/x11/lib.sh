# SPDX-License-Identifier: MIT
# Helpers of the X11 tests, sourced by each *.sh here. CTest runs every script
# inside a display of its own (tests/support/with-xvfb) and passes the paths
# of the programs in QUORVANA, X11_PROBE and QUORVANA_RENDER.
set -euo pipefail
: "${QUORVANA:?}" "${X11_PROBE:?}" "${DISPLAY:?}"

source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
make_work
CHILDREN=()
stop_children() {
    local pid
    for pid in "${CHILDREN[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
at_exit stop_children

# A command failing where no check expects it ends the script (set -e): say which, and what the saver last said.
set -E
trap 'unexpected_failure "$?" "$LINENO" "$BASH_COMMAND"' ERR
unexpected_failure() {
    echo "FAIL: ${BASH_SOURCE[1]##*/} line $2: '$3' ended with status $1" >&2
    [ ! -s "$WORK/saver.err" ] || { echo "--- the saver's standard error:" >&2; cat "$WORK/saver.err" >&2; }
}

# host_window WxH [DEPTH]: a window of another client; sets HOST_ID and HOST_PID.
host_window() {
    local out="$WORK/host.$RANDOM"
    "$X11_PROBE" host "$@" >"$out" &
    HOST_PID=$!
    CHILDREN+=("$HOST_PID")
    wait_until 5 test -s "$out" || true
    HOST_ID=$(cat "$out")
    [ -n "$HOST_ID" ] || { echo "host window did not appear" >&2; exit 1; }
}

# start_saver ARGS...: starts quorvana in the background; sets SAVER_PID.
start_saver() {
    "$QUORVANA" "$@" 2>"$WORK/saver.err" &
    SAVER_PID=$!
    CHILDREN+=("$SAVER_PID")
}

# ends_within SECONDS PID: true when PID ends in time; its status in ENDED_STATUS.
ends_within() {
    wait_until "$1" eval "! kill -0 $2 2>/dev/null" || return 1
    ENDED_STATUS=0
    wait "$2" || ENDED_STATUS=$?
}

lit_rows() { "$X11_PROBE" lit-rows "$@"; }
at_least_lit() { local n=$1; shift; [ "$(lit_rows "$@")" -ge "$n" ]; }

# The saver's own window, once it is on the screen; sets SAVER_WINDOW.
find_saver_window() {
    SAVER_WINDOW=""
    wait_until 5 saver_window_viewable || return 1
}
# Only the last saver's window counts: one just ended may stay until the server has seen it go.
saver_window_viewable() {
    local id
    id=$(xdotool search --all --onlyvisible --pid "$SAVER_PID" --name '^Quorvana$' 2>/dev/null | head -n 1) || return 1
    [ -n "$id" ] || return 1
    SAVER_WINDOW=$id
}

# differing_pixels WINDOW SEED WxH PICTURE [LOOK...]: how many pixels of the
# window differ from the exporter's picture number PICTURE for that seed and
# size, in that look (--theme, --brightness, --full-rows).
differing_pixels() {
    local window=$1 seed=$2 size=$3 picture=$4 out="$WORK/export.$RANDOM"
    shift 4
    "$QUORVANA_RENDER" --size "$size" --seed "$seed" --pictures "$picture" --out "$out" "$@" >/dev/null 2>&1
    "$X11_PROBE" dump "$window" "$out/screen.ppm"
    compare -metric AE "$out/screen.ppm" "$(printf '%s/picture-%04d.png' "$out" "$picture")" null: 2>&1 || true
}

# A client that stays connected for the whole script: when the last client
# goes, the server resets, clears the root window and refuses connections
# for a moment.
host_window 1x1+5000+5000
