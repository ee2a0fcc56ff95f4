#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# README's Wayland setup: a headless sway with Xwayland, whose idle daemon
# (swayidle, from sway's config) starts "quorvana --fullscreen" after one
# idle second; grim's screenshot of the output must show green rows.
# Usage: wayland.sh BUILD_DIR SCREENSHOT
source "$(dirname "$0")/lib.sh" "$1"
screenshot=$2
for program in sway swayidle Xwayland grim; do
    command -v "$program" >/dev/null || { echo "SKIP: $program is not installed (apt-get install sway swayidle xwayland grim)"; exit 77; }
done

runtime=$WORK/runtime
mkdir -m 700 "$runtime"
[ "$(id -u)" -ne 0 ] || chown nobody "$runtime"
cat >"$WORK/config" <<CONFIG
output HEADLESS-1 resolution 640x480
xwayland enable
exec swayidle -w timeout 1 'quorvana --fullscreen'
CONFIG
in_session() { as_user env XDG_RUNTIME_DIR="$runtime" "$@"; }
in_session WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$WORK/config" >"$WORK/sway.log" 2>&1 &
sway=$!
cleanups+=("in_session SWAYSOCK=\$(ls $runtime/sway-ipc.*.sock) swaymsg exit >/dev/null 2>&1; wait $sway")
saver=""
# sway starts its exec lines detached, so the saver is found by its session.
find_saver() {
    local pid
    for pid in $(pgrep -x quorvana); do
        { tr "\0" "\n" <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$runtime" && { saver=$pid; return 0; }
    done
    return 1
}
wayland=""
find_socket() { wayland=$(cd "$runtime" && ls | grep -m 1 -x "wayland-[0-9]*"); [ -n "$wayland" ]; }
check "sway runs, headless, with its Wayland socket" 'wait_until 20 find_socket'
check "swayidle starts quorvana --fullscreen when the session is idle" 'wait_until 20 find_saver'
[ -n "$saver" ] || { echo "--- sway and its programs said:"; tail -n 30 "$WORK/sway.log"; exit 1; }
check "it is an X client, through Xwayland" '[ -n "$saver" ] && tr "\0" "\n" <"/proc/$saver/environ" | grep -q "^DISPLAY=:"'
# grim runs as the session's user, who may not write where the screenshot goes.
shot() { in_session WAYLAND_DISPLAY="$wayland" timeout 10 grim - >"$screenshot" 2>/dev/null && enough_green "$screenshot"; }
check "grim sees green rows on the output ($screenshot)" 'wait_until 20 shot'
[ "$failures" -eq 0 ] || { echo "--- sway said:"; tail -n 20 "$WORK/sway.log"; exit 1; }
