# SPDX-License-Identifier: MIT
# What the desktop harnesses (kwin.sh, gnome.sh, cage.sh, weston.sh) share on
# top of lib.sh (whose session_start, in_session, end_process and $WORK,
# $RUNTIME, $BIN they use; its sway functions stay unused). Each harness
# defines the same verbs, so one test runs on every desktop:
#   desktop_start COUNT WxH [SCALE]  the compositor headless (or on an Xvfb of its own) with
#                                    COUNT outputs of WxH (and SCALE), as nobody with a private
#                                    runtime dir and buses, its pid in $compositor; returns once
#                                    a pointer and a keyboard are on its seat and $SESSION_ENV
#                                    (WAYLAND_DISPLAY, DISPLAY, ...) is complete
#   desktop_outputs                  a line per enabled output: NAME WxH+X+Y SCALE (logical)
#   pointer_to X Y | pointer_by DX DY | pointer_click | key_tap
#                                    input through the seat's devices (key_tap: the A key)
#   shot OUTPUT|- FILE               a PNG of an output (or of the whole desktop: -)
#   output_scale OUTPUT SCALE        a new scale, as the desktop's display settings give it
#   output_off OUTPUT                the output disabled (gone for clients)
#   desktop_stop                     the compositor and everything it started ended
# and says what it offers:
#   DESKTOP          its name                  DESKTOP_NATIVE    1: layer-shell, quorvana draws natively
#   DESKTOP_INPUT    1: input reaches clients through the seat (0: the harness has no way in)
#   DESKTOP_LAYOUT   1: output_scale and output_off work
#   DESKTOP_REMOVE   0: output_off breaks the compositor itself (else 1, unset)
# Here too:
#   known_fault WHAT CODE   a check of a fault the saver has today: run (as check) with
#                           KNOWN_FAULTS=1, else listed as skipped
#   xwayland_env            DISPLAY (and XAUTHORITY) of the session's Xwayland, from its command line
#   seat_devices            the seat's capabilities as weston-info sees them: "pointer keyboard"
#   seat_ready              whether the seat has a pointer and a keyboard
#   xdg_outputs             desktop_outputs as xdg-output tells clients
#   session_bus             a session bus of the session's own
#   hold_input CMD...       the input client, fed lines on descriptor 7 (lib.sh's pointer LINE)
#   desktop_need PACKAGE:PROGRAM...
#                           skips the test (77) naming the packages whose programs are missing
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

desktop_need() {
    local item packages=()
    # PROGRAM: a name on the PATH, or a file's path.
    for item in "$@"; do
        command -v "${item#*:}" >/dev/null || [ -e "${item#*:}" ] || packages+=("${item%%:*}")
    done
    [ ${#packages[@]} -eq 0 ] && return 0
    echo "SKIP: as root: apt-get install ${packages[*]} (scripts/packages.sh: WAYLAND_TEST_PACKAGES)"
    exit 77
}

known_fault() {
    if [ "${KNOWN_FAULTS:-0}" = 1 ]; then
        check "(known fault) $1" "$2"
    else
        echo "skipped (known fault; KNOWN_FAULTS=1 runs it): $1"
    fi
}

# Xwayland's command line: Xwayland :N ... [-auth FILE] ...
xwayland_env() {
    local pid args=() i
    for pid in $(session_pids Xwayland); do
        mapfile -d '' -t args <"/proc/$pid/cmdline"
        for ((i = 1; i < ${#args[@]}; i++)); do
            case ${args[i]} in
            :[0-9]*) echo "DISPLAY=${args[i]}" ;;
            -auth) echo "XAUTHORITY=${args[i + 1]}" ;;
            esac
        done
        return 0
    done
    return 1
}

seat_devices() {
    in_session weston-info 2>/dev/null | sed -n 's/^[[:space:]]*capabilities: *//p' | head -n 1
}
# desktop_outputs from xdg-output, as weston-info lists it, left to right.
xdg_outputs() {
    in_session weston-info 2>/dev/null | awk '
        /^interface: .wl_output./ { sub(/.*name: /, ""); global = $0 }
        global && /scale:/ { s = $0; sub(/.*scale: */, "", s); sub(/,.*/, "", s); scale[global] = s + 0; global = "" }
        /^\t\toutput:/ { output = $2 }
        /^\t\tname:/ { name[output] = $2; gsub(/\x27/, "", name[output]) }
        /logical_x:/ { x[output] = $2 + 0; y[output] = $4 + 0 }
        /logical_width:/ { w[output] = $2 + 0; h[output] = $4 + 0 }
        END { for (o in name) printf "%s %dx%d+%d+%d %s\n", name[o], w[o], h[o], x[o], y[o], scale[o] ? scale[o] : 1 }' |
        sort -t+ -k2,2n
}
seat_ready() { local devices=" $(seat_devices) "; [[ $devices == *" pointer "* && $devices == *" keyboard "* ]]; }

# Every process still carrying the session's runtime dir, by id.
desktop_cleanup() {
    local i pid
    { exec 7>&-; } 2>/dev/null || true
    for ((i = ${#SESSION_PIDS[@]} - 1; i >= 0; i--)); do end_process "${SESSION_PIDS[i]}"; done
    SESSION_PIDS=()
    for pid in $(session_pids); do kill -KILL "$pid" 2>/dev/null || true; done
}
at_exit desktop_cleanup
desktop_stop() { desktop_cleanup; }

# The input verbs of a compositor on wlroots' or Weston's X11 backend, whose
# seat takes the pointer and keyboard of the Xvfb at $HOST_DISPLAY
# (xdotool through XTEST there moves the seat as a real mouse would).
on_host() { in_session env DISPLAY="$HOST_DISPLAY" "$@"; }
host_seat_verbs() {
    pointer_to() { on_host xdotool mousemove "$1" "$2"; }
    pointer_by() { on_host xdotool mousemove_relative -- "$1" "$2"; }
    pointer_click() { on_host xdotool click 1; }
    key_tap() { on_host xdotool key a; }
}

# A private session bus, as a desktop session has (KWin's screenshots and
# kscreen, mutter's remote desktop and display settings live on it).
session_bus() {
    session_start bus dbus-daemon --session --address="unix:path=$RUNTIME/bus" --nofork --nopidfile \
        </dev/null >"$WORK/dbus.log" 2>&1
    SESSION_ENV+=(DBUS_SESSION_BUS_ADDRESS="unix:path=$RUNTIME/bus")
    wait_until 10 test -S "$RUNTIME/bus" || { echo "the session bus did not start" >&2; return 1; }
}

# hold_input CMD...: the input client, reading lines on descriptor 7 as lib.sh's
# virtual pointer does (so lib.sh's `pointer LINE` speaks to it); returns once
# it says "ready".
hold_input() {
    mkfifo "$WORK/input"
    exec 7<>"$WORK/input"
    session_start input_client "$@" <&7 >"$WORK/input.out" 2>&1
    wait_until 10 grep -qx ready "$WORK/input.out" || { echo "$* did not start:" >&2; cat "$WORK/input.out" >&2; return 1; }
}
