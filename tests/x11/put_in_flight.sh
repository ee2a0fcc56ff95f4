# SPDX-License-Identifier: MIT
# The saver draws into the very memory the server reads its puts from, so it
# must never write there while a put is in flight (put_guard.c catches it).
# With either kind of shared memory (a file descriptor where the server takes
# one, else a System V segment) it draws its pictures without a fault, having
# waited for the server, and shows the exporter's picture.
source "$(dirname "$0")/lib.sh"
: "${PUT_GUARD:?}"

for expected in file-descriptor system-v; do  # the memory of the puts: with a current server, an old one
    server=$([ "$expected" = file-descriptor ] && echo current || echo old)
    host_window 96x64
    status=0
    timeout 60 env PUT_GUARD_GRAB=1 LD_PRELOAD="$PUT_GUARD" $([ "$server" = current ] || echo PUT_GUARD_OLD_SERVER=1) \
        "$QUORVANA" --window-id "$HOST_ID" --seed 29 --speed 100 --pictures 2 2>"$WORK/guard.err" || status=$?
    read -r memory puts waits < <(awk '/^put_guard:/ { print $3, $5, $7 }' "$WORK/guard.err") || true
    diff=$(differing_pixels "$HOST_ID" 29 96x64 2)
    [ "$status" -eq 0 ] && [ "$memory" = "$expected" ] && [ "$waits" -ge 2 ] && [ "$diff" = 0 ] &&
        pass "$server server: $puts puts from $memory memory, $waits awaited, the exporter's picture" ||
        fail "$server server: status $status (139: a write into a put in flight), puts from $memory memory," \
            "$waits of $puts awaited, $diff pixels differ from the exporter: $(cat "$WORK/guard.err")"
    kill "$HOST_PID"
done
finish
