#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the X11 saver at speed 100 on a 1920 x 1080 root window in Xvfb:
# its CPU time per second of wall time, the X server's, and the saver's peak
# resident memory (VmHWM, as /proc shows it), with shared memory and
# without. Given several builds, they run at once, each on a display of its
# own, so that the machine's other load weighs on all alike.
# Usage: bench/measure-root-cpu.sh [--seconds N] [--runs N] [--seed N] QUORVANA [QUORVANA...]
set -euo pipefail
seconds=10 runs=1 seed=1
while [ $# -gt 0 ]; do
    case $1 in
        --seconds) seconds=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--seconds N] [--runs N] [--seed N] QUORVANA [QUORVANA...]" >&2; exit 2; }
savers=()
for saver in "$@"; do savers+=("$(realpath "$saver")"); done

servers=() displays=()
cleanup() {
    local p
    for p in "${servers[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT
for _ in "${savers[@]}"; do
    exec {fd}< <(exec Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp -noreset 2>/dev/null)
    servers+=($!)
    read -r -t 20 number <&"$fd" || { echo "Xvfb did not start" >&2; exit 1; }
    displays+=(":$number")
done

ticks=$(getconf CLK_TCK)
cpu_of() { awk -v t="$ticks" '{ print ($14 + $15) / t }' "/proc/$1/stat"; }
printf '%-4s %-6s %-9s %-9s %-9s %s\n' run mode quorvana Xvfb VmHWM build
for ((run = 1; run <= runs; run++)); do
    for mode in shm plain; do
        options=()
        [ $mode = plain ] && options=(--no-shm)
        pids=() before=()
        for i in "${!savers[@]}"; do
            before+=("$(cpu_of "${servers[$i]}")")
            DISPLAY=${displays[$i]} "${savers[$i]}" --root --speed 100 --seed "$seed" "${options[@]}" &
            pids+=($!)
        done
        sleep "$seconds"
        for i in "${!savers[@]}"; do
            saver=$(cpu_of "${pids[$i]}") server=$(cpu_of "${servers[$i]}")
            hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/${pids[$i]}/status")
            awk -v r="$run" -v m=$mode -v s="$saver" -v x="$server" -v b="${before[$i]}" -v d="$seconds" -v h="$hwm" \
                -v n="${savers[$i]}" 'BEGIN { printf "%-4d %-6s %-9s %-9s %-9s %s\n", r, m,
                    sprintf("%.2f%%", 100 * s / d), sprintf("%.2f%%", 100 * (x - b) / d), sprintf("%.1f MiB", h / 1024), n }'
        done
        for pid in "${pids[@]}"; do kill "$pid"; wait "$pid" || true; done
    done
done
