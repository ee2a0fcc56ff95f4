# SPDX-License-Identifier: MIT
# The desktop verbs (desktop.sh) on cage 0.1.4, the wlroots kiosk: wlroots'
# headless backend (WLR_HEADLESS_OUTPUTS outputs HEADLESS-1, ... of 1280x720,
# the one size it makes; no output management to change them) with Xwayland
# (DISPLAY from the environment of cage's one application, a shell that
# sleeps). cage offers neither wlroots' virtual pointer nor its virtual
# keyboard, and its headless seat has no devices: the seat stays without a
# pointer and a keyboard and the input verbs fail. Screenshots: grim (screencopy).
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
DESKTOP=cage DESKTOP_NATIVE=0 DESKTOP_INPUT=0 DESKTOP_LAYOUT=0
desktop_need cage:cage grim:grim weston:weston-info xwayland:Xwayland

desktop_start() {
    local count=$1 size=$2
    [ "$size" = 1280x720 ] || echo "cage: its headless outputs are 1280x720, not $size" >&2
    session_start compositor env WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS="$count" WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman cage -- sh -c "env >$RUNTIME/env.part && mv $RUNTIME/env.part $RUNTIME/env && exec sleep 86400" \
        </dev/null >"$WORK/cage.log" 2>&1
    wait_until 20 test -s "$RUNTIME/env" || { echo "cage did not start:" >&2; tail -n 20 "$WORK/cage.log" >&2; return 1; }
    local name
    for name in WAYLAND_DISPLAY DISPLAY; do SESSION_ENV+=($(grep "^$name=" "$RUNTIME/env" || true)); done
    wait_until 10 eval '[ "$(desktop_outputs | wc -l)" -eq "$count" ]' || { echo "cage: not $count outputs" >&2; return 1; }
}
desktop_outputs() { xdg_outputs; }
no_way_in() { echo "cage: no input device to drive" >&2; return 1; }
pointer_to() { no_way_in; }
pointer_by() { no_way_in; }
pointer_click() { no_way_in; }
key_tap() { no_way_in; }
shot() {
    if [ "$1" = - ]; then in_session grim - >"$2"; else in_session grim -o "$1" - >"$2"; fi
}
output_scale() { echo "cage: no output management" >&2; return 1; }
output_off() { echo "cage: no output management" >&2; return 1; }
