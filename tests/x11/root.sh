# SPDX-License-Identifier: MIT
# --root draws on the root window, the same picture as the exporter's.
source "$(dirname "$0")/lib.sh"

ROOT=$(xwininfo -root | awk '/Window id:/ { print $4 }')
read -r W H < <(xdotool getdisplaygeometry)
status=0
timeout 20 env -u XSCREENSAVER_WINDOW "$QUORVANA" --root --seed 19 --pictures 1 || status=$?
if [ "$status" -ne 0 ]; then
    fail "--root: status $status"
else
    diff=$(differing_pixels "$ROOT" 19 "${W}x$H" 1)
    if [ "$diff" = "0" ] && at_least_lit 20 "$ROOT"; then pass "--root: the root window shows the exporter's picture"
    else fail "--root: $diff pixels differ from the exporter"; fi
fi
finish
