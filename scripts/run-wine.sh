#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Windows saver and runs it under Wine on $DISPLAY, in a Wine
# prefix of its own (~/.quorvana-wine unless WINEPREFIX is set):
#   scripts/run-wine.sh /s     full screen; any key, click or mouse movement ends it
#   scripts/run-wine.sh /p     preview in a small host window; closing the host ends it
#   scripts/run-wine.sh /c     configuration mode
set -euo pipefail
case ${1:-} in
-h | --help)
    cat <<'TEXT'
Usage: scripts/run-wine.sh [/s|/p|/c]
Builds the Windows saver and runs it under Wine on $DISPLAY, in the Wine
prefix ~/.quorvana-wine (or $WINEPREFIX), made on first use:
  /s   full screen (the default); any key, click or mouse movement ends it
  /p   a preview in a small host window; closing the host ends it
  /c   the settings dialog
TEXT
    exit 0
    ;;
esac
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${WINDOWS_PACKAGES[@]}"
if [ -z "${DISPLAY:-}" ]; then
    echo "run-wine.sh: there is no X display (\$DISPLAY is not set); run it from a desktop session." >&2
    exit 2
fi
mode=${1:-/s}
case $mode in
/s | /p | /c) ;;
*) echo "run-wine.sh: unknown mode '$mode'; use /s, /p or /c" >&2; exit 2 ;;
esac

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target quorvana preview_host
export WINEPREFIX=${WINEPREFIX:-$HOME/.quorvana-wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || command -v wine)
if [ ! -d "$WINEPREFIX" ]; then
    echo "Creating the Wine prefix $WINEPREFIX (once; this takes a while) ..." >&2
    "$wine" wineboot -u >/dev/null 2>&1 || true
fi
# Each time, so that a prefix made before gets the caption buttons' font too.
scripts/wine-fonts.sh
if [ "$mode" = "/p" ]; then
    echo "Note: Wine 8 runs the preview but does not show it inside another program's window." >&2
    exec "$wine" build/windows/tools/windows/preview_host.exe 'Z:'"$(pwd | tr / '\\')"'\build\windows\quorvana.scr'
fi
exec "$wine" build/windows/quorvana.scr "$mode"
