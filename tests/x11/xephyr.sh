# on_heads XEPHYR_SCREEN_ARGS...: a display of Xinerama heads that Xephyr
# lays out inside the script's own display becomes DISPLAY, replacing the
# one before (Xephyr places the screen that follows an -origin). RandR is
# off, as on servers that have none. Sourced after lib.sh.
HOST_DISPLAY=$DISPLAY
XEPHYR_PID=""
on_heads() {
    [ -z "$XEPHYR_PID" ] || { kill "$XEPHYR_PID"; wait "$XEPHYR_PID" 2>/dev/null || true; }
    local fifo="$WORK/xephyr.$RANDOM"
    mkfifo "$fifo"
    DISPLAY=$HOST_DISPLAY Xephyr +xinerama -extension RANDR "$@" -displayfd 3 -nolisten tcp 3>"$fifo" \
        >"$WORK/xephyr.log" 2>&1 &
    XEPHYR_PID=$!
    CHILDREN+=("$XEPHYR_PID")
    local number
    read -r -t 20 number <"$fifo" || { echo "Xephyr did not start" >&2; exit 1; }
    export DISPLAY=":$number"
    host_window 1x1+5000+5000  # keeps the server from resetting between clients
}
