#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# README's Wayland line in a headless sway with Xwayland: swayidle starts
# "quorvana --fullscreen" after an idle second; grim sees green rows.
# Usage: wayland.sh BUILD_DIR SCREENSHOT
source "$(dirname "$0")/lib.sh" "$1"
screenshot=$2
[ "$(command -v sway swayidle Xwayland grim | wc -l)" -eq 4 ] || { echo "SKIP: apt-get install sway swayidle xwayland grim"; exit 77; }
runtime=$WORK/runtime
mkdir -m 700 "$runtime"
[ -z "${user[*]}" ] || chown nobody "$runtime"
printf '%s\n' "output HEADLESS-1 resolution 640x480" "xwayland enable" \
    "exec swayidle -w timeout 1 'quorvana --fullscreen'" >"$WORK/config"
in_session() { as_user env XDG_RUNTIME_DIR="$runtime" "$@"; }
in_session WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$WORK/config" >"$WORK/log" 2>&1 &
sway=$!
at_exit "in_session SWAYSOCK=\$(ls $runtime/sway-ipc.*) swaymsg exit; wait_until 10 eval '! kill -0 $sway' || kill $sway"
# sway starts its exec lines detached: the saver is known by its session.
ours() { { tr "\0" "\n" <"/proc/$1/environ"; } 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$runtime"; }
find_saver() { local pid; for pid in $(pgrep -x quorvana); do ours "$pid" && saver=$pid && return 0; done; return 1; }
check "swayidle starts quorvana --fullscreen, an X client of Xwayland" \
      'wait_until 30 find_saver && tr "\0" "\n" <"/proc/$saver/environ" | grep -q "^DISPLAY=:"'
# grim runs as the session's user, who may not write where the screenshot goes.
shot() { in_session WAYLAND_DISPLAY="$(cd "$runtime" && ls wayland-? | head -n 1)" timeout 10 grim - >"$screenshot" && enough_green "$screenshot"; }
check "grim sees green rows on the output ($screenshot)" '[ -n "${saver:-}" ] && wait_until 20 shot'
[ "$failures" -eq 0 ] || { tail -n 30 "$WORK/log"; ps -o pid,args -p "${saver:-1}"; }
finish
