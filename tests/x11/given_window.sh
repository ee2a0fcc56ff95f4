# SPDX-License-Identifier: MIT
# Drawing on a window that another client made, named by id in hex, in
# decimal, or through $XSCREENSAVER_WINDOW, with and without shared memory:
# once the saver has drawn its pictures the window holds exactly what the
# exporter writes for the same seed and size, in the same look.
source "$(dirname "$0")/lib.sh"

SIZE=128x72
PICTURES=2
# how the window is named | seed | further options | the look
CASES=(
    "hex|7||"
    "decimal|11||"
    "environment|23||"
    "hex|31|--no-shm|"
    "root-under-xscreensaver|47||"
    "hex|53||--theme warm --full-rows"
    "hex|59|--no-shm|--theme spectrum --brightness 50"
    "decimal|61||--theme cold"
)

for case in "${CASES[@]}"; do
    IFS='|' read -r way seed option look <<<"$case"
    host_window "$SIZE"
    args=(--seed "$seed" --pictures "$PICTURES")
    run_env=(env -u XSCREENSAVER_WINDOW)
    case $way in
        hex) args+=(--window-id "$HOST_ID") ;;
        decimal) args+=(--window-id "$((HOST_ID))") ;;
        environment) run_env+=("XSCREENSAVER_WINDOW=$((HOST_ID))") ;;
        root-under-xscreensaver) args+=(--root); run_env+=("XSCREENSAVER_WINDOW=$HOST_ID") ;;
    esac
    [ -n "$option" ] && args+=("$option")
    # shellcheck disable=SC2206
    looks=($look)
    args+=("${looks[@]}")
    status=0
    timeout 20 "${run_env[@]}" "$QUORVANA" "${args[@]}" || status=$?
    if [ "$status" -ne 0 ]; then
        fail "$way: quorvana ended with status $status"
    else
        diff=$(differing_pixels "$HOST_ID" "$seed" "$SIZE" "$PICTURES" "${looks[@]}")
        other=$(differing_pixels "$HOST_ID" "$((seed + 1))" "$SIZE" "$PICTURES" "${looks[@]}")
        if [ "$(lit_rows "$HOST_ID")" -lt 10 ] || [ "$other" = "0" ]; then
            fail "$way: the window shows no picture that tells seeds apart (another seed differs in '$other' pixels)"
        elif [ "$diff" = "0" ]; then pass "$way ${option:-} ${look:-}: window matches the exporter"; else fail "$way ${option:-} ${look:-}: $diff pixels differ from the exporter"; fi
    fi
    kill "$HOST_PID"
done
finish
