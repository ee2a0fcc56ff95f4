#!/usr/bin/env bash
# Builds Quorvana and runs it.
#   scripts/run.sh [OPTIONS]           the X11 saver in a window on $DISPLAY;
#                                      OPTIONS are quorvana's (--fullscreen, --speed N, --help)
#   scripts/run.sh --export [OPTIONS]  the exporter: a zoom sequence as PNGs in ./out
#                                      (e.g. --size 1920x1080 --pictures 5)
#   scripts/run.sh --wine /s|/p|/c     the Windows saver (quorvana.scr) under Wine on $DISPLAY:
#                                      /s full screen, /p in a small host window, /c configuration
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
if [ "${1:-}" = "--wine" ]; then exec scripts/run-wine.sh "${@:2}"; fi
need_packages "${NATIVE_PACKAGES[@]}"

if [ "${1:-}" != "--export" ] && [ -z "${DISPLAY:-}" ]; then
    cat >&2 <<'TEXT'
run.sh: there is no X display to show the saver on ($DISPLAY is not set).
  - Run it from a desktop session, or over ssh -X.
  - Or write the pictures as PNG files instead:  scripts/run.sh --export --size 1280x720 --pictures 5
  - Or run it in a virtual display and take a screenshot:
      cmake --preset native && cmake --build --preset native --target quorvana
      xvfb-run -s '-screen 0 1280x720x24' sh -c \
        'build/native/x11/quorvana --root & sleep 8; import -window root shot.png; kill $!'
TEXT
    exit 2
fi

cmake --preset native >/dev/null
if [ "${1:-}" = "--export" ]; then
    shift
    cmake --build --preset native -j "$(nproc)" --target quorvana-render
    exec build/native/tools/quorvana-render "$@"
fi
cmake --build --preset native -j "$(nproc)" --target quorvana
exec build/native/x11/quorvana "$@"
