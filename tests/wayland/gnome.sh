# SPDX-License-Identifier: MIT
# The desktop verbs (desktop.sh) on GNOME Shell 43 (mutter): headless with
# virtual monitors (Meta-0, Meta-1, ...) and Xwayland, on session and system
# buses of its own, settings in memory, and /run/systemd hidden (a tmpfs over
# it in a mount namespace) so it does not look for a logind session. No
# layer-shell: quorvana draws through X11 there. gnome_session.py does the rest:
#   input        an org.gnome.Mutter.RemoteDesktop session: virtual pointer and keyboard
#                on the seat while it lasts (absolute moves: to the corner, then relative)
#   screenshots  org.gnome.Shell.Screenshot, taken as org.gnome.Screenshot (the whole
#                desktop, cut to an output with ImageMagick)
#   layout       org.gnome.Mutter.DisplayConfig.ApplyMonitorsConfig; a virtual monitor offers
#                scale 2 only from 1600x1200 (mutter keeps logical monitors 800x600 or larger),
#                and disabling one ends this gnome-shell 43 (its bus names go), so
#                DESKTOP_REMOVE=0: output_off is there, the smoke test leaves it alone
# Needs root for the mount namespace (the session itself is nobody's).
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
DESKTOP=gnome DESKTOP_NATIVE=0 DESKTOP_INPUT=1 DESKTOP_LAYOUT=1 DESKTOP_REMOVE=0
desktop_need gnome-shell:gnome-shell imagemagick:convert python3-dbus:python3 weston:weston-info dbus:dbus-daemon xwayland:Xwayland util-linux:unshare
in_session python3 -c 'import dbus' 2>/dev/null || desktop_need python3-dbus:no-python3-dbus
[ "$(id -u)" -eq 0 ] || { echo "SKIP: gnome.sh hides /run/systemd in a mount namespace: run as root"; exit 77; }

desktop_start() {
    local count=$1 size=$2 scale=${3:-1} monitors=() i name
    install -m 755 "$(dirname "${BASH_SOURCE[0]}")/gnome_session.py" "$BIN/"
    session_bus
    session_start system_bus dbus-daemon --session --address="unix:path=$RUNTIME/system_bus" --nofork --nopidfile \
        </dev/null >>"$WORK/dbus.log" 2>&1
    SESSION_ENV+=(DBUS_SYSTEM_BUS_ADDRESS="unix:path=$RUNTIME/system_bus" WAYLAND_DISPLAY=gnome-test)
    for ((i = 0; i < count; i++)); do monitors+=(--virtual-monitor "$size"); done
    unshare -m --propagation private sh -c 'mount -t tmpfs tmpfs /run/systemd && exec "$@"' sh \
        "${as_test_user[@]}" "${user_env[@]}" "${SESSION_ENV[@]}" GSETTINGS_BACKEND=memory \
        gnome-shell --headless --wayland --wayland-display gnome-test "${monitors[@]}" \
        </dev/null >"$WORK/gnome-shell.log" 2>&1 7>&- &
    compositor=$!
    SESSION_PIDS+=("$compositor")
    wait_until 60 eval '[ "$(desktop_outputs | wc -l)" -eq "$count" ] && xwayland_env >/dev/null' ||
        { echo "gnome-shell did not start:" >&2; tail -n 20 "$WORK/gnome-shell.log" >&2; return 1; }
    SESSION_ENV+=($(xwayland_env))
    if [ "$scale" != 1 ]; then for name in $(desktop_outputs | cut -d' ' -f1); do output_scale "$name" "$scale"; done; fi
    hold_input python3 "$BIN/gnome_session.py" input
    wait_until 10 seat_ready || { echo "the seat has no pointer and keyboard: $(seat_devices)" >&2; return 1; }
}
gnome() { in_session timeout 20 python3 "$BIN/gnome_session.py" "$@"; }
desktop_outputs() { gnome outputs 2>>"$WORK/gnome_session.log"; }
pointer_to() { pointer "move $1 $2"; }
pointer_by() { pointer "motion $1 $2"; }
pointer_click() { pointer click; }
key_tap() { pointer "key 30"; }
# The whole desktop, cut to the output's area: mutter's layout is in device pixels.
shot() {
    local geometry=
    if [ "$1" != - ]; then
        geometry=$(desktop_outputs | awk -v name="$1" '$1 == name { print $2 }')
        [ -n "$geometry" ] || return 1
    fi
    rm -f "$RUNTIME/shot.png"
    gnome shot "$RUNTIME/shot.png" || return 1
    if [ -z "$geometry" ]; then cat "$RUNTIME/shot.png" >"$2"; else convert "$RUNTIME/shot.png" -crop "$geometry" +repage png:"$2"; fi
}
output_scale() { gnome scale "$1" "$2"; }
output_off() { gnome off "$1"; }
