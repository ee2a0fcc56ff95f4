# SPDX-License-Identifier: MIT
# The saver draws into the very memory the server reads its puts from, so it
# must never write there while a put is in flight. put_guard (preloaded)
# makes the image read-only from each put until the saver has learnt that
# the server is done with it, and holds the server grabbed most of the time,
# so that puts stay in flight across ticks. With either kind of shared
# memory (a file descriptor where the server takes one, else a System V
# segment) the saver draws its pictures without a fault, having waited for
# the server, and shows the exporter's picture.
source "$(dirname "$0")/lib.sh"
: "${PUT_GUARD:?}"

# server | the memory expected
for case in "current|file-descriptor" "old|system-v"; do
    IFS='|' read -r server expected <<<"$case"
    host_window 96x64
    run_env=(env PUT_GUARD_GRAB=1 LD_PRELOAD="$PUT_GUARD")
    [ "$server" = old ] && run_env+=(PUT_GUARD_OLD_SERVER=1)
    status=0
    timeout 60 "${run_env[@]}" "$QUORVANA" --window-id "$HOST_ID" --seed 29 --speed 100 --pictures 2 \
        2>"$WORK/guard.err" || status=$?
    read -r memory puts waits < <(awk '/^put_guard:/ { print $3, $5, $7 }' "$WORK/guard.err") || true
    diff=$(differing_pixels "$HOST_ID" 29 96x64 2)
    if [ "$status" -ne 0 ]; then
        fail "$server server: status $status (139: a write into a put in flight): $(cat "$WORK/guard.err")"
    elif [ "$memory" != "$expected" ] || [ "$waits" -lt 2 ] || [ "$diff" != 0 ]; then
        fail "$server server: puts from $memory memory, $waits of $puts awaited, $diff pixels differ from the exporter"
    else
        pass "$server server: $puts puts from $memory memory, $waits awaited, the exporter's picture"
    fi
    kill "$HOST_PID"
done
finish
