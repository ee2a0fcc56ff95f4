# SPDX-License-Identifier: MIT
# The saver started and stopped again and again: SIGTERM, SIGINT and SIGKILL
# at random moments (also during start-up), the window it draws on destroyed
# under it, resized while it draws. Each run must end within 3 seconds with
# the status its end calls for; afterwards no saver may be left running and
# no shared-memory segment that a saver made may be left over.
#   soak.sh [CYCLES]   (default 60); prints one line of figures.
source "$(dirname "$0")/lib.sh"
cycles=${1:-60}
RANDOM=${SOAK_SEED:-1}

# Signals go to the saver, not to the shell that is about to become it: a
# shell killed before its exec would run this script's exit trap.
saver_program=$(readlink -f "$QUORVANA")
is_saver() { [ "$(readlink "/proc/$1/exe" 2>/dev/null)" = "$saver_program" ]; }
# Job control keeps SIGINT from being ignored in the background job (an
# ignored signal the saver leaves ignored), as it is in a terminal. A SIGINT
# before the saver sets up its handler would end it by the signal, so SIGINT
# waits for the handler (SIGTERM and SIGKILL may come at any moment).
set -m
catches_sigint() {
    local caught
    caught=$(awk '/^SigCgt/ { print $2 }' "/proc/$1/status" 2>/dev/null) && [ -n "$caught" ] && ((0x$caught & 2))
}
pids=()
ms() { sleep "$(awk "BEGIN { print $1 / 1000 }")"; }
expect_status() {  # what ended the run | status | allowed statuses...
    local what=$1 status=$2
    shift 2
    local ok
    for ok in "$@"; do [ "$status" -eq "$ok" ] && return 0; done
    fail "cycle $cycle ($what): status $status ($(head -c 300 "$WORK/saver.err"))"
}

host_window 320x200
for ((cycle = 1; cycle <= cycles; cycle++)); do
    kill -0 "$HOST_PID" 2>/dev/null || host_window $((RANDOM % 400 + 1))x$((RANDOM % 300 + 1))
    options=(--speed $((RANDOM % 101)) --seed $RANDOM)
    ((RANDOM % 3 == 0)) && options+=(--no-shm)
    case $((RANDOM % 8)) in
    0) where=(--root) ;;
    1) where=() ;;  # a window of its own
    *) where=(--window-id "$HOST_ID") ;;
    esac
    start_saver "${where[@]}" "${options[@]}"
    pids+=("$SAVER_PID")
    wait_until 3 is_saver "$SAVER_PID" || true
    ((RANDOM % 4 == 0)) || ms $((RANDOM % 400))
    action=$((RANDOM % 6))
    [ ${#where[@]} -eq 2 ] || [ "$action" -ge 3 ] || action=0  # only a given window is destroyed or resized
    case $action in
    0) kill -TERM "$SAVER_PID"; allowed=(0 143) ;;  # 143: before the saver set up its handler
    1) "$X11_PROBE" destroy "$HOST_ID"; kill "$HOST_PID"; wait "$HOST_PID" 2>/dev/null || true
       allowed=(0 2) ;;                                # 2: gone before the saver found it
    2) for ((r = 0; r < 6; r++)); do
           "$X11_PROBE" resize "$HOST_ID" $((RANDOM % 500 + 1))x$((RANDOM % 400 + 1)) || true
           ms $((RANDOM % 60))
       done
       kill -TERM "$SAVER_PID"; allowed=(0 143) ;;
    3) wait_until 3 catches_sigint "$SAVER_PID" || true
       kill -INT "$SAVER_PID"; allowed=(0) ;;
    *) kill -KILL "$SAVER_PID"; allowed=(137) ;;
    esac
    if ends_within 3 "$SAVER_PID"; then
        expect_status "action $action" "$ENDED_STATUS" "${allowed[@]}"
    else
        fail "cycle $cycle (action $action, ${where[*]} ${options[*]}): still running 3 seconds later:" \
            "$(grep -E 'State|Sig(Blk|Ign|Cgt|Pnd)' "/proc/$SAVER_PID/status" | tr -s '\t\n' '  ')" \
            "wchan $(cat "/proc/$SAVER_PID/wchan" 2>/dev/null)"
        kill -KILL "$SAVER_PID" 2>/dev/null || true
    fi
    CHILDREN=("${CHILDREN[0]}" "$HOST_PID")  # only live ones: ended ones' ids come back to others
done

left=0
for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && left=$((left + 1)); done
# A segment lives until the server lets go of it, a moment (on a busy machine, seconds) after its client ended.
leaked_segments() {
    ipcs -m -p | awk 'NR > 3 && NF >= 4 { print $3 }' | grep -cxF -f <(printf '%s\n' "${pids[@]}") || true
}
no_leaks() { [ "$(leaked_segments)" -eq 0 ]; }
wait_until 10 no_leaks || true
leaked=$(leaked_segments)
[ "$left" -eq 0 ] || fail "$left saver(s) still running"
[ "$leaked" -eq 0 ] ||
    fail "$leaked shared-memory segment(s) of savers left behind: $(ipcs -m -p | grep -wF -f <(printf '%s\n' "${pids[@]}"))"
echo "x11 soak: $cycles start/stop cycles, $left processes left, $leaked shared-memory segments leaked, $failures failures"
finish
