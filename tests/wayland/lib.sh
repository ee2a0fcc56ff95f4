# SPDX-License-Identifier: MIT
# The shell library of every Wayland test: a headless sway of the script's own,
# with a pointer and a keyboard on its seat as in every real session.
#   source tests/wayland/lib.sh    (needs VIRTUAL_POINTER: tests/wayland/virtual_pointer)
#   wayland_need PROGRAM...        skips the test (status 77) with the apt-get line when one is missing
#   wayland_programs FILE...       copies build artefacts into $BIN (on the session's PATH), runnable by its user
#   wayland_session OUTPUTS [LINE...]
#                                  starts sway headless with OUTPUTS outputs and a config of these lines,
#                                  waits for its IPC, then holds a virtual pointer and a virtual keyboard
#   in_session CMD...              runs CMD as the session's user with its environment (WAYLAND_DISPLAY,
#                                  SWAYSOCK, XDG_RUNTIME_DIR, DISPLAY when Xwayland is on), in the foreground
#   session_start VAR CMD...       the same in the background (its input: session_start's); its pid in VAR,
#                                  ended at clean-up
#   end_process PID                ends PID (TERM, then KILL after 5 s) and reaps it if ours
#   sway_msg ARGS...               swaymsg in the session
#   cursor ARGS...                 swaymsg seat seat0 cursor ARGS (move DX DY, set X Y, press button1, ...)
#   pointer LINE                   a line to the virtual pointer itself (motion DX DY, click)
#   press_key KEY                  one key typed by wtype (a key name: Return, a, ...)
#   screenshot OUTPUT FILE         grim's PNG of one output (HEADLESS-1, ...)
#   output_size OUTPUT             the output's size in its logical pixels: WxH
#   windows                        a line per window in sway's tree: PID WxH+X+Y FULLSCREEN_MODE BORDER
#   session_pids [NAME]            pids of the processes (named NAME) that carry this session's runtime dir
#   wayland_finish                 finish (checks.sh), with the end of sway's log after a failure
# The saver natively on two outputs, as the scripts beside this one test it:
#   saver_session                  needs QUORVANA (and TICK_MATCH for exact): wayland_session with
#                                  HEADLESS-1 at 640x480 and HEADLESS-2 at 1280x960, scale 2, on its
#                                  right, and quorvana in $BIN
#   start_saver ARGS...            quorvana ARGS --seed $SEED in the background, its pid in $saver;
#                                  succeeds once both outputs show it
#   covered OUTPUT WxH             the output shows the saver at WxH device pixels: greens and black only
#   exact OUTPUT N                 the output is the exporter's window, for the seed of the Nth output,
#                                  in the look LOOK names (--theme, --brightness, --full-rows; none: green)
#                                  (0 the first) and no other's, after some tick of its first 20 pictures
#                                  (tick_match.cpp); tick_match's line in $WORK/match.txt
#   alive PID / ended_well PID     running / ends within 5 s with status 0
#   no_x_window PID                sway's tree has no X window of PID
# Every process is ended by its id when the script exits. The script owns its
# folder ($WORK), runtime dir and sockets (sway's, its IPC's; Xwayland takes a
# free display itself), so scripts run side by side.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
: "${VIRTUAL_POINTER:?the path of tests/wayland/virtual_pointer}"

make_work /tmp/quorvana-wayland.XXXXXX
chmod 755 "$WORK"
BIN=$WORK/usr/bin
RUNTIME=$WORK/runtime
mkdir -p "$BIN" "$WORK/home"
mkdir -m 700 "$RUNTIME"
SESSION_PIDS=()
SWAY_PID=
SESSION_ENV=()
# sway refuses root: the session is the test's user's (checks.sh).
give_to_test_user "$RUNTIME" "$WORK/home"
user_env=(env -i HOME="$WORK/home" PATH="$BIN:/usr/bin:/bin" XDG_RUNTIME_DIR="$RUNTIME")

wayland_need() {
    local program missing=()
    for program in "$@"; do command -v "$program" >/dev/null || missing+=("$program"); done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "SKIP: ${missing[*]} missing; as root: apt-get install sway xwayland wtype swayidle grim jq imagemagick procps"
    exit 77
}

wayland_programs() {
    install -m 755 "$@" "$BIN/"
}

# Descriptor 7, the virtual pointer's input, stays with this shell.
in_session() { "${as_test_user[@]}" "${user_env[@]}" "${SESSION_ENV[@]}" "$@" 7>&-; }
session_start() {
    local var=$1
    shift
    # A simple command, not a function: $! is the program itself (setpriv and env exec it).
    # Its input is session_start's, not the /dev/null bash gives a background command.
    "${as_test_user[@]}" "${user_env[@]}" "${SESSION_ENV[@]}" "$@" <&0 7>&- &
    printf -v "$var" %s "$!"
    SESSION_PIDS+=("$!")
}
# Ended: gone, or a zombie that this shell, its parent, has yet to reap.
ended() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
    stat=${stat##*) }
    [ "${stat%% *}" = Z ]
}
end_process() {
    kill "$1" 2>/dev/null || return 0
    wait_until 5 ended "$1" || kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

sway_msg() { in_session swaymsg "$@"; }
cursor() { sway_msg seat seat0 cursor "$@" >/dev/null; }
pointer() { echo "$1" >&7; }
press_key() { in_session wtype -k "$1"; }
screenshot() { in_session grim -o "$1" - >"$2"; }
output_size() {
    sway_msg -t get_outputs -r | jq -r --arg name "$1" '.[] | select(.name == $name) | "\(.rect.width)x\(.rect.height)"'
}
windows() {
    sway_msg -t get_tree -r | jq -r '.. | objects | select(.pid? and (.type == "con" or .type == "floating_con"))
        | "\(.pid) \(.rect.width)x\(.rect.height)+\(.rect.x)+\(.rect.y) \(.fullscreen_mode) \(.border)"'
}

# sway's exec lines run detached from this shell: known by the runtime dir
# in their environment.
session_pids() {
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        [ "$pid" != "$SWAY_PID" ] || continue
        [ -z "${1:-}" ] || [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$1" ] || continue
        { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$RUNTIME" && echo "$pid"
    done
    return 0
}

wayland_session() {
    local outputs=$1 sway_log=$WORK/sway.log
    shift
    wayland_need sway swaymsg wtype jq
    printf '%s\n' "$@" >"$WORK/sway.config"
    "${as_test_user[@]}" "${user_env[@]}" WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS="$outputs" WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman sway -c "$WORK/sway.config" >"$sway_log" 2>&1 </dev/null &
    SWAY_PID=$!
    SESSION_ENV=(SWAYSOCK="$RUNTIME/sway-ipc.$test_user_id.$SWAY_PID.sock")
    wait_until 20 eval 'sway_msg -t get_version >/dev/null 2>&1' ||
        { echo "sway did not start:" >&2; tail -n 20 "$sway_log" >&2; return 1; }
    # The session's own environment, as an exec line gets it (DISPLAY only sway knows).
    sway_msg exec "env >$RUNTIME/env.part && mv $RUNTIME/env.part $RUNTIME/env" >/dev/null
    wait_until 10 test -s "$RUNTIME/env" || { echo "sway's exec did not run" >&2; return 1; }
    local name
    for name in WAYLAND_DISPLAY DISPLAY; do
        SESSION_ENV+=($(grep "^$name=" "$RUNTIME/env" || true))
    done
    wayland_programs "$VIRTUAL_POINTER"
    # Its input: a pipe this shell holds open for the whole script (read and write, so opening it waits for no one).
    mkfifo "$WORK/pointer"
    exec 7<>"$WORK/pointer"
    session_start virtual_pointer "$BIN/virtual_pointer" <&7 >"$WORK/pointer.out"
    # The seat's keyboard: a virtual one that wtype makes and holds while it sleeps (a day).
    session_start keyboard wtype -s 86400000
    wait_until 10 eval '[ "$(sway_msg -t get_seats -r | jq ".[0].capabilities")" = 3 ]' ||
        { echo "the seat has no pointer and keyboard:" >&2; cat "$WORK/pointer.out" >&2; return 1; }
}

wayland_cleanup() {
    local i pid
    { exec 7>&-; } 2>/dev/null || true
    for ((i = ${#SESSION_PIDS[@]} - 1; i >= 0; i--)); do end_process "${SESSION_PIDS[i]}"; done
    if [ -n "$SWAY_PID" ]; then
        for pid in $(session_pids); do [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xwayland ] || kill "$pid" 2>/dev/null || true; done
        sway_msg exit >/dev/null 2>&1 || true
        end_process "$SWAY_PID"
        for pid in $(session_pids); do kill -KILL "$pid" 2>/dev/null || true; done
    fi
}
at_exit wayland_cleanup
wayland_finish() {
    [ "$failures" -eq 0 ] || tail -n 20 "$WORK/sway.log"
    finish
}

SEED=4242
LOOK=()  # the saver's look, for start_saver, covered and exact
saver_session() {
    wayland_need sway grim wtype jq convert identify
    : "${QUORVANA:?}"
    wayland_programs "$QUORVANA"
    wayland_session 2 "output HEADLESS-1 resolution 640x480 position 0 0" \
        "output HEADLESS-2 resolution 1280x960 position 640 0 scale 2"
}
start_saver() {
    session_start saver quorvana "$@" --seed "$SEED" "${LOOK[@]}"
    wait_until 10 covered HEADLESS-1 640x480 && wait_until 10 covered HEADLESS-2 1280x960
}
covered() {
    local shot=$WORK/covered.png
    screenshot "$1" "$shot" 2>/dev/null || return 1
    [ "$(identify -format '%wx%h' "$shot")" = "$2" ] || return 1
    # In a theme: more colours than a background and black. Else the
    # brightest red, green and blue: none, some, none.
    [ ${#LOOK[@]} -eq 0 ] || { [ "$(convert "$shot" -format %k info:)" -gt 2 ]; return; }
    set -- $(convert "$shot" -alpha off -separate -format '%[max] ' info:)
    [ "$1" = 0 ] && [ "$2" != 0 ] && [ "$3" = 0 ]
}
exact() {
    local shot=$WORK/exact.png
    screenshot "$1" "$shot" && "${TICK_MATCH:?}" "$shot" "$SEED" "$2" 20 "${LOOK[@]}" 2>>"$WORK/match.txt"
}
alive() { kill -0 "$1" 2>/dev/null; }
ended_well() { wait_until 5 eval "! alive $1" && { wait "$1"; } 2>/dev/null; }
no_x_window() { ! windows | grep -q "^$1 "; }
# Stopped by a signal (ctest's timeout, Ctrl-C), it still cleans up.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
