#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Wayland saver against the X11 saver, side by side in one run: at speed
# 100 on one 1920 x 1080 output, the X11 saver on the root window of an Xvfb
# (as measure-root-cpu.sh runs it) and the Wayland saver full screen and as
# the live wallpaper on a headless sway of its own (pixman, as in the
# tests), at the same time, so that the machine's other load weighs on both
# alike. Per run: each saver's CPU time per second of wall time, its
# server's (Xvfb, sway), the saver's peak resident memory (VmHWM), and the
# Wayland figures as ratios of the X11 ones. The CPU figures are the main
# threads' time on a core (/proc/PID/schedstat).
# Usage: bench/measure-wayland-cpu.sh [--seconds N] [--runs N] BUILD_DIR
set -euo pipefail
seconds=10 runs=1
while [ $# -gt 0 ]; do
    case $1 in
        --seconds) seconds=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        *) break ;;
    esac
done
[ $# -eq 1 ] || { echo "usage: $0 [--seconds N] [--runs N] BUILD_DIR" >&2; exit 2; }
build=$(realpath "$1")
quorvana=$build/linux/quorvana
export VIRTUAL_POINTER=$build/tests/wayland/virtual_pointer
[ -x "$quorvana" ] && [ -x "$VIRTUAL_POINTER" ] ||
    { echo "build quorvana and virtual_pointer first (BUILD_TESTING=ON)" >&2; exit 2; }
source "$(dirname "$0")/../tests/wayland/lib.sh"
wayland_programs "$quorvana"
wayland_session 1 "output HEADLESS-1 resolution 1920x1080"

exec {xvfb_fd}< <(exec Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp -noreset 2>/dev/null)
xvfb=$!
SESSION_PIDS+=("$xvfb")
read -r -t 20 number <&"$xvfb_fd" || { echo "Xvfb did not start" >&2; exit 1; }

# CPU seconds of a process's main thread, to the nanosecond (the savers and
# both servers draw on one thread; /proc/PID/stat counts in 10 ms ticks,
# too coarse for a saver that takes well under 1 % of a core).
cpu_of() { awk '{ print $1 / 1e9 }' "/proc/$1/schedstat"; }
hwm_of() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }
printf '%-4s %-22s %-9s %-9s %-10s %s\n' run saver CPU server VmHWM "Wayland / X11 (CPU, server, memory)"
for ((run = 1; run <= runs; run++)); do
    for mode in --fullscreen --root; do
        x_before=$(cpu_of "$xvfb") sway_before=$(cpu_of "$SWAY_PID")
        DISPLAY=:$number "$quorvana" --root --x11 --speed 100 --seed 1 &
        x11=$!
        session_start wayland quorvana "$mode" --wayland --speed 100 --seed 1
        sleep "$seconds"
        x_cpu=$(cpu_of "$x11") w_cpu=$(cpu_of "$wayland")
        x_server=$(awk -v a="$(cpu_of "$xvfb")" -v b="$x_before" 'BEGIN { print a - b }')
        w_server=$(awk -v a="$(cpu_of "$SWAY_PID")" -v b="$sway_before" 'BEGIN { print a - b }')
        x_hwm=$(hwm_of "$x11") w_hwm=$(hwm_of "$wayland")
        awk -v r="$run" -v m="$mode" -v d="$seconds" -v xc="$x_cpu" -v wc="$w_cpu" -v xs="$x_server" -v ws="$w_server" \
            -v xh="$x_hwm" -v wh="$w_hwm" 'BEGIN {
                f = "%-4d %-22s %-9s %-9s %-10s %s\n"
                printf f, r, "X11 --root (Xvfb)", sprintf("%.3f%%", 100 * xc / d), sprintf("%.3f%%", 100 * xs / d),
                       sprintf("%.1f MiB", xh / 1024), ""
                printf f, r, "Wayland " m, sprintf("%.3f%%", 100 * wc / d), sprintf("%.3f%%", 100 * ws / d),
                       sprintf("%.1f MiB", wh / 1024),
                       sprintf("%.2f, %.2f, %.2f", xc ? wc / xc : 0, xs ? ws / xs : 0, xh ? wh / xh : 0) }'
        kill "$x11"
        wait "$x11" 2>/dev/null || true
        end_process "$wayland"
    done
done
