#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the saver's CPU time per second of wall time at speed 100 on a
# 1920 x 1080 root window in Xvfb, with shared memory and without, one run
# after the other in the same display; also the X server's share.
# Usage: bench/measure-root-cpu.sh build/native/x11/quorvana [SECONDS [SEED]]
set -euo pipefail
QUORVANA=$(realpath "$1")
SECONDS_TO_RUN=${2:-10}
SEED=${3:-1}
here=$(dirname "$0")
exec "$here/../tests/support/with-xvfb" -s 1920x1080x24 bash -s "$QUORVANA" "$SECONDS_TO_RUN" "$SEED" <<'INNER'
quorvana=$1 seconds=$2 seed=$3
ticks=$(getconf CLK_TCK)
cpu_of() { awk -v t="$ticks" '{ print ($14 + $15) / t }' "/proc/$1/stat"; }
xvfb=$(pgrep -n -x Xvfb)
for mode in shm plain; do
    options=()
    [ $mode = plain ] && options=(--no-shm)
    server_before=$(cpu_of "$xvfb")
    "$quorvana" --root --speed 100 --seed "$seed" "${options[@]}" &
    pid=$!
    sleep "$seconds"
    saver=$(cpu_of "$pid")
    server=$(awk -v a="$(cpu_of "$xvfb")" -v b="$server_before" 'BEGIN { print a - b }')
    kill "$pid"; wait "$pid" || true
    awk -v m=$mode -v s="$saver" -v x="$server" -v d="$seconds" \
        'BEGIN { printf "%-6s quorvana %.3f s CPU per s (%.1f%%), Xvfb %.3f s per s\n", m, s / d, 100 * s / d, x / d }'
done
INNER
