# SPDX-License-Identifier: MIT
# Helpers of the X11 tests, sourced by each *.sh here. CTest runs every script
# inside a display of its own (tests/support/with-xvfb) and passes the paths
# of the programs in QUORVANA, X11_PROBE and QUORVANA_RENDER.
set -euo pipefail
: "${QUORVANA:?}" "${X11_PROBE:?}" "${DISPLAY:?}"

WORK=$(mktemp -d)
CHILDREN=()
cleanup() {
    local pid
    for pid in "${CHILDREN[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

FAILURES=0
fail() { echo "FAIL: $*" >&2; FAILURES=$((FAILURES + 1)); }
# A command failing where no check expects it ends the script (set -e): say which, and what the saver last said.
set -E
trap 'unexpected_failure "$?" "$LINENO" "$BASH_COMMAND"' ERR
unexpected_failure() {
    echo "FAIL: ${BASH_SOURCE[1]##*/} line $2: '$3' ended with status $1" >&2
    [ ! -s "$WORK/saver.err" ] || { echo "--- the saver's standard error:" >&2; cat "$WORK/saver.err" >&2; }
}
pass() { echo "ok: $*"; }
finish() {
    [ "$FAILURES" -eq 0 ] || { echo "$FAILURES failure(s)" >&2; exit 1; }
    echo "all passed"
}

# host_window WxH [DEPTH]: a window of another client; sets HOST_ID and HOST_PID.
host_window() {
    local out="$WORK/host.$RANDOM"
    "$X11_PROBE" host "$@" >"$out" &
    HOST_PID=$!
    CHILDREN+=("$HOST_PID")
    local i
    for i in $(seq 100); do
        [ -s "$out" ] && break
        sleep 0.05
    done
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
    local limit=$1 pid=$2 i steps
    steps=$(awk "BEGIN { print int($limit / 0.02) }")
    for ((i = 0; i < steps; i++)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            ENDED_STATUS=0
            wait "$pid" || ENDED_STATUS=$?
            return 0
        fi
        sleep 0.02
    done
    return 1
}

# wait_until SECONDS COMMAND...: polls until COMMAND succeeds.
wait_until() {
    local limit=$1 i steps
    shift
    steps=$(awk "BEGIN { print int($limit / 0.05) }")
    for ((i = 0; i < steps; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
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

# differing_pixels WINDOW SEED WxH PICTURE: how many pixels of the window
# differ from the exporter's picture number PICTURE for that seed and size.
differing_pixels() {
    local window=$1 seed=$2 size=$3 picture=$4 out="$WORK/export.$RANDOM"
    "$QUORVANA_RENDER" --size "$size" --seed "$seed" --pictures "$picture" --out "$out" >/dev/null 2>&1
    "$X11_PROBE" dump "$window" "$out/screen.ppm"
    compare -metric AE "$out/screen.ppm" "$(printf '%s/picture-%04d.png' "$out" "$picture")" null: 2>&1 || true
}

# A client that stays connected for the whole script: when the last client
# goes, the server resets, clears the root window and refuses connections
# for a moment.
host_window 1x1+5000+5000
