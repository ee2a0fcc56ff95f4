# SPDX-License-Identifier: MIT
# Bad arguments, a window id that names no window, no display: one line on
# standard error and status 2; a display that refuses the saver: one line
# that says why, status 1. --help and --version: standard output, 0.
source "$(dirname "$0")/lib.sh"

DEAD=0x7ffffff
# A display that cannot be opened, whatever other servers the machine runs:
# a screen that this script's own server (one screen) does not have.
NO_SUCH_SCREEN=$DISPLAY.1
# A display that is there but refuses the saver: a server of this script's
# own that wants a cookie the saver is not given.
xauth -q -f "$WORK/auth" add :0 . "$(mcookie)"
exec {refusing_fd}< <(exec Xvfb -displayfd 1 -auth "$WORK/auth" -nolisten tcp 2>/dev/null)
CHILDREN+=($!)
read -r -t 20 refusing <&"$refusing_fd" || { echo "Xvfb with a cookie did not start" >&2; exit 1; }
# arguments | environment | status | what the one line must say
# (the parser's own table is in tests/linux/options_test.cpp; here what needs a process and a display)
CASES=(
    "--speed 101||2|--speed: '101' is not a whole number from 0 to 100"
    "--window-id $DEAD||2|there is no window $DEAD on display"
    "--window-id $((DEAD))||2|there is no window $DEAD on display"
    "|XSCREENSAVER_WINDOW=$DEAD|2|there is no window $DEAD on display"
    "|DISPLAY=|2|no display: \$DISPLAY is not set"
    "--root|DISPLAY=$NO_SUCH_SCREEN|2|cannot open display '$NO_SUCH_SCREEN'"
    "--root|DISPLAY=:$refusing|1|cannot open display ':$refusing': Authorization required"
)

for case in "${CASES[@]}"; do
    IFS='|' read -r args environment status message <<<"$case"
    run_env=(env -u XSCREENSAVER_WINDOW -u XAUTHORITY HOME="$WORK")
    [ -n "$environment" ] && run_env+=("$environment")
    got=0
    # shellcheck disable=SC2086
    timeout 10 "${run_env[@]}" "$QUORVANA" $args >"$WORK/out" 2>"$WORK/err" || got=$?
    lines=$(wc -l <"$WORK/err")
    if [ "$got" -ne "$status" ]; then
        fail "'$args' $environment: status $got, not $status ($(cat "$WORK/err"))"
    elif [ "$lines" -ne 1 ] || ! grep -qF "quorvana: $message" "$WORK/err"; then
        fail "'$args' $environment: expected one line with '$message', got: $(cat "$WORK/err")"
    elif [ -s "$WORK/out" ]; then
        fail "'$args' $environment: wrote to standard output"
    else
        pass "'$args' $environment: status $status, '$(cat "$WORK/err")'"
    fi
done

for case in "--help|Usage: quorvana" "--version|quorvana 1.1" "-h|--window-id ID"; do
    IFS='|' read -r args expected <<<"$case"
    got=0
    "$QUORVANA" $args >"$WORK/out" 2>"$WORK/err" || got=$?
    if [ "$got" -eq 0 ] && grep -qF -- "$expected" "$WORK/out" && [ ! -s "$WORK/err" ]; then
        pass "$args: status 0 and '$expected'"
    else
        fail "$args: status $got, output $(head -n 2 "$WORK/out") $(cat "$WORK/err")"
    fi
done
finish
