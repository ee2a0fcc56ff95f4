# SPDX-License-Identifier: MIT
# The desktop verbs (desktop.sh) on Weston 10. Its headless backend makes one
# output and no input device, so the harness runs Weston's X11 backend in an
# Xvfb of its own instead: COUNT outputs (screen0, screen1, ...: a window each
# on the Xvfb, placed side by side there as Weston places them side by side)
# and a seat whose pointer and keyboard are the Xvfb's, which xdotool drives
# (XTEST on the Xvfb, so Weston's seat moves as with a real mouse). Xwayland,
# which Weston starts at its first X client, has the display its log names.
# Screenshots: the Xvfb's windows (ImageMagick's import). No output
# management: scale only at the start, no output removed. Weston's window
# manager puts every full-screen X window on the output under the pointer
# (DESKTOP_STACKS): the saver covers that one and says which it could not.
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
DESKTOP=weston DESKTOP_NATIVE=0 DESKTOP_INPUT=1 DESKTOP_LAYOUT=0 DESKTOP_STACKS=1
desktop_need weston:weston xvfb:Xvfb xdotool:xdotool x11-utils:xwininfo imagemagick:import xwayland:Xwayland

desktop_start() {
    local count=$1 size=$2 scale=${3:-1} i window
    session_start host Xvfb -displayfd 1 -screen 0 "$((${size%x*} * count))x${size#*x}x24" -nolisten tcp -noreset \
        </dev/null >"$WORK/host-display" 2>/dev/null
    wait_until 10 test -s "$WORK/host-display" || { echo "Xvfb did not start" >&2; return 1; }
    HOST_DISPLAY=:$(cat "$WORK/host-display")
    session_start compositor env DISPLAY="$HOST_DISPLAY" weston --backend=x11-backend.so --output-count="$count" \
        --width="${size%x*}" --height="${size#*x}" --scale="$scale" --use-pixman --xwayland --socket=weston-test \
        --no-config </dev/null >"$WORK/weston.log" 2>&1
    SESSION_ENV+=(WAYLAND_DISPLAY=weston-test)
    wait_until 20 grep -q 'xserver listening on display' "$WORK/weston.log" ||
        { echo "weston did not start:" >&2; tail -n 20 "$WORK/weston.log" >&2; return 1; }
    SESSION_ENV+=("DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log")")
    for ((i = 0; i < count; i++)); do
        window=$(output_window "screen$i")
        in_session env DISPLAY="$HOST_DISPLAY" xdotool windowmove "$window" $((${size%x*} * i)) 0
    done
    wait_until 10 eval '[ "$(desktop_outputs | wc -l)" -eq "$count" ]' && wait_until 10 seat_ready ||
        { echo "weston: not $count outputs and a seat with a pointer and a keyboard" >&2; return 1; }
}
output_window() { on_host xwininfo -root -children | awk -v title="\"Weston Compositor - $1\":" '$2 " " $3 " " $4 " " $5 == title { print $1 }'; }
desktop_outputs() { xdg_outputs; }
# The desktop's coordinates are the Xvfb's: outputs lie there as in Weston.
host_seat_verbs
shot() {
    if [ "$1" = - ]; then on_host import -window root png:- >"$2"; else on_host import -window "$(output_window "$1")" png:- >"$2"; fi
}
output_scale() { echo "weston: no output management" >&2; return 1; }
output_off() { echo "weston: no output management" >&2; return 1; }
