#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana where the Wayland compositor offers no layer-shell, as GNOME's
# mutter does: Weston 10's headless backend, beside an X display (Xvfb, run
# by with-xvfb) standing in for the compositor's Xwayland. --fullscreen
# falls back to X11 with one line saying so and draws its picture there;
# --root, a wallpaper nobody would see, says so and ends with status 1;
# --wayland refuses with status 1; --x11 goes to X11 without a word; a
# compositor that cannot be reached falls back too.
# Needs QUORVANA and DISPLAY.
set -euo pipefail
source "$(dirname "$0")/../support/checks.sh"
: "${QUORVANA:?}" "${DISPLAY:?}"
command -v weston >/dev/null || { echo "SKIP: as root: apt-get install weston"; exit 77; }
WORK=$(mktemp -d /tmp/quorvana-fallback.XXXXXX)
runtime=$WORK/runtime
mkdir -m 700 "$runtime"
socket=quorvana-fallback
env -i PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket="$socket" \
    >"$WORK/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null || true; wait $weston 2>/dev/null || true; rm -rf "$WORK"' EXIT
wait_until 20 test -S "$runtime/$socket" || { echo "weston did not start"; cat "$WORK/weston.log"; exit 1; }

# run ARGS...: quorvana in the Wayland session with an X display beside it,
# one picture; its standard error in $WORK/err, its status in $status.
run() {
    status=0
    XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=${wayland:-$socket} timeout 30 "$QUORVANA" "$@" --seed 5 --pictures 1 \
        2>"$WORK/err" || status=$?
}
says() { [ "$(cat "$WORK/err")" = "$1" ]; }
# The line names Xwayland only where the X server is one (here an Xvfb).
fallback="quorvana: the Wayland compositor offers no layer-shell: drawing through X11"

run --fullscreen
check "--fullscreen falls back to X11 with one line and draws its picture there" '[ $status -eq 0 ] && says "$fallback"'
run --root
check "--root says in one line that this desktop lets no program draw its wallpaper, status 1" \
      '[ $status -eq 1 ] && says "quorvana: this desktop does not let a program draw its wallpaper: the Wayland compositor offers no layer-shell (zwlr_layer_shell_v1)"'
run --fullscreen --wayland
check "--wayland refuses with status 1, naming layer-shell" \
      '[ $status -eq 1 ] && [ "$(wc -l <"$WORK/err")" -eq 1 ] && grep -q "offers no layer-shell" "$WORK/err"'
run --fullscreen --x11
check "--x11 goes to X11 without a word" '[ $status -eq 0 ] && says ""'
status=0
env -u XDG_RUNTIME_DIR WAYLAND_DISPLAY="$socket" timeout 30 "$QUORVANA" --fullscreen --wayland 2>"$WORK/err" || status=$?
check "outside a session: one line of its own with libwayland's reason, status 1" \
      '[ $status -eq 1 ] && says "quorvana: cannot connect to the Wayland compositor '"'$socket'"': XDG_RUNTIME_DIR is invalid or not set in the environment"'
wayland=no-such-compositor run --fullscreen
check "a compositor that cannot be reached: X11, with one line" \
      '[ $status -eq 0 ] && [ "$(wc -l <"$WORK/err")" -eq 1 ] && grep -q "cannot connect to the Wayland compositor .no-such-compositor.*drawing through X11" "$WORK/err"'
[ "$failures" -eq 0 ]
