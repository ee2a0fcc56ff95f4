# SPDX-License-Identifier: MIT
# The desktop verbs (desktop.sh) on KWin 5.27 (Plasma's compositor): its
# virtual backend (--virtual, outputs Virtual-0, Virtual-1, ... of one size,
# side by side) with Xwayland, a session bus of its own, and:
#   input        fake_input (KDE's fake-input protocol: a pointer and a keyboard device
#                on the seat while it is connected; absolute moves in desktop coordinates)
#   screenshots  org.kde.KWin.ScreenShot2 (kwin_screenshot.py), in device pixels
#   layout       kscreen-doctor, through kscreen's backend launcher that the session bus starts
#                (in process, KSCREEN_BACKEND_INPROCESS=1, its 5.27 crashes setting a scale)
# Needs FAKE_INPUT (tests/wayland/fake_input) and VIRTUAL_POINTER (lib.sh).
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
# The build makes fake_input where plasma-wayland-protocols is installed.
[ -n "${FAKE_INPUT:-}" ] || desktop_need plasma-wayland-protocols:/usr/share/plasma-wayland-protocols/fake-input.xml
: "${FAKE_INPUT:?the path of tests/wayland/fake_input (reconfigure: the build found no fake-input.xml)}"
DESKTOP=kwin DESKTOP_NATIVE=1 DESKTOP_INPUT=1 DESKTOP_LAYOUT=1
desktop_need kwin-wayland:kwin_wayland kscreen:kscreen-doctor qtwayland5:/usr/lib/x86_64-linux-gnu/qt5/plugins/platforms/libqwayland-generic.so \
    python3-dbus:python3 weston:weston-info jq:jq dbus:dbus-daemon xwayland:Xwayland
in_session python3 -c 'import dbus' 2>/dev/null || desktop_need python3-dbus:no-python3-dbus

desktop_start() {
    local count=$1 size=$2 scale=${3:-1}
    # Debian's kwin_wayland carries a file capability (cap_sys_resource) that a
    # bounding set without it refuses to exec; a copy has none.
    install -m 755 /usr/bin/kwin_wayland "$BIN/kwin_wayland"
    install -m 755 "$FAKE_INPUT" "$(dirname "${BASH_SOURCE[0]}")/kwin_screenshot.py" \
        "$(dirname "${BASH_SOURCE[0]}")/dbus_png.py" "$BIN/"
    session_bus
    SESSION_ENV+=(WAYLAND_DISPLAY=kwin-test)
    session_start compositor env KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 \
        kwin_wayland --virtual --width "${size%x*}" --height "${size#*x}" --output-count "$count" --scale "$scale" \
        --xwayland --socket kwin-test --no-lockscreen --no-global-shortcuts --no-kactivities \
        </dev/null >"$WORK/kwin.log" 2>&1
    wait_until 30 eval '[ "$(desktop_outputs | wc -l)" -eq "$count" ]' &&
        wait_until 20 eval 'xwayland_env >/dev/null' ||
        { echo "kwin did not start:" >&2; tail -n 20 "$WORK/kwin.log" >&2; return 1; }
    SESSION_ENV+=($(xwayland_env))
    hold_input "$BIN/fake_input"
    wait_until 10 seat_ready ||
        { echo "the seat has no pointer and keyboard: $(seat_devices)" >&2; return 1; }
}

kscreen() {
    in_session env QT_QPA_PLATFORM=wayland timeout 20 kscreen-doctor "$@" 2>>"$WORK/kscreen.log"
}
desktop_outputs() {
    kscreen -j | jq -r '.outputs[] | select(.enabled) |
        "\(.name) \(.size.width / .scale | floor)x\(.size.height / .scale | floor)+\(.pos.x)+\(.pos.y) \(.scale)"'
}
pointer_to() { pointer "move $1 $2"; }
pointer_by() { pointer "motion $1 $2"; }
pointer_click() { pointer click; }
key_tap() { pointer "key 30"; }
shot() { in_session timeout 20 python3 "$BIN/kwin_screenshot.py" "$1" - >"$2"; }
output_scale() {
    local name=$1 scale=$2
    kscreen "output.$name.scale.$scale" >/dev/null
    wait_until 10 eval 'desktop_outputs | grep -q "^$name .* $scale\$"'
}
output_off() {
    local name=$1
    kscreen "output.$name.disable" >/dev/null
    wait_until 10 eval '! desktop_outputs | grep -q "^$name "'
}
