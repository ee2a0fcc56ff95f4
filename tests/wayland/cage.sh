# SPDX-License-Identifier: MIT
# The desktop verbs (desktop.sh) on cage 0.1.4, the wlroots kiosk, with
# Xwayland (DISPLAY from the environment of cage's one application, a shell
# that sleeps). cage offers neither wlroots' virtual pointer nor its virtual
# keyboard, and a headless wlroots seat has no devices; so the harness runs
# wlroots' X11 backend in an Xvfb of its own (WLR_X11_OUTPUTS windows,
# X11-1, X11-2, ..., sized and laid side by side there as cage lays the
# outputs out), whose pointer and keyboard the seat takes and xdotool drives
# (XTEST on the Xvfb). Screenshots: grim (screencopy). No output management:
# no scale, no output removed. The kiosk lays every X window over the whole
# layout (DESKTOP_SPANS): the saver's windows are each as large as both
# outputs together, so the desktop as a whole is one of its pictures.
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
DESKTOP=cage DESKTOP_NATIVE=0 DESKTOP_INPUT=1 DESKTOP_LAYOUT=0 DESKTOP_SPANS=1
desktop_need cage:cage grim:grim weston:weston-info xwayland:Xwayland xvfb:Xvfb xdotool:xdotool x11-utils:xwininfo

desktop_start() {
    local count=$1 size=$2 windows name x
    session_start host Xvfb -displayfd 1 -screen 0 "$((${size%x*} * count))x${size#*x}x24" -nolisten tcp -noreset \
        </dev/null >"$WORK/host-display" 2>/dev/null
    wait_until 10 test -s "$WORK/host-display" || { echo "Xvfb did not start" >&2; return 1; }
    HOST_DISPLAY=:$(cat "$WORK/host-display")
    session_start compositor env DISPLAY="$HOST_DISPLAY" WLR_BACKENDS=x11 WLR_X11_OUTPUTS="$count" WLR_RENDERER=pixman \
        cage -- sh -c "env >$RUNTIME/env.part && mv $RUNTIME/env.part $RUNTIME/env && exec sleep 86400" \
        </dev/null >"$WORK/cage.log" 2>&1
    wait_until 20 test -s "$RUNTIME/env" || { echo "cage did not start:" >&2; tail -n 20 "$WORK/cage.log" >&2; return 1; }
    for name in WAYLAND_DISPLAY DISPLAY; do SESSION_ENV+=($(grep "^$name=" "$RUNTIME/env" || true)); done
    # The output windows, in the order wlroots made them (X11-1 first), at the size asked for.
    mapfile -t windows < <(on_host xwininfo -root -children | awk '/^ +0x/ { print $1 }' | sort)
    [ ${#windows[@]} -eq "$count" ] || { echo "cage: ${#windows[@]} windows, not $count" >&2; return 1; }
    for x in "${windows[@]}"; do on_host xdotool windowsize "$x" "${size%x*}" "${size#*x}"; done
    wait_until 10 eval '[ "$(desktop_outputs | grep -c " $size+")" -eq "$count" ]' ||
        { echo "cage: not $count outputs of $size: $(desktop_outputs)" >&2; return 1; }
    # Each window where cage put its output, so the Xvfb's coordinates are the desktop's.
    while read -r name geometry _; do
        x=${geometry#*+}
        on_host xdotool windowmove "${windows[${name#X11-} - 1]}" "${x%+*}" "${geometry##*+}"
    done < <(desktop_outputs)
    wait_until 10 seat_ready || { echo "cage: the seat has no pointer and keyboard: $(seat_devices)" >&2; return 1; }
}
desktop_outputs() { xdg_outputs; }
host_seat_verbs
shot() {
    if [ "$1" = - ]; then in_session grim - >"$2"; else in_session grim -o "$1" - >"$2"; fi
}
output_scale() { echo "cage: no output management" >&2; return 1; }
output_off() { echo "cage: no output management" >&2; return 1; }
