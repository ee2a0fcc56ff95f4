#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Quorvana and runs it; --help says how. Relative paths in the
# options (--out DIR, the screenshot's file) are the caller's, not the
# repository's: the build happens in the repository, the program runs where
# run.sh was started.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/scripts/packages.sh"

usage() {
    cat <<'TEXT'
Usage: scripts/run.sh [OPTION]...                the X11 saver in a window on $DISPLAY
  or:  scripts/run.sh --screenshot FILE [OPTION]...
                                                  the saver in a virtual display; FILE
                                                  is a screenshot of it after 8 seconds
  or:  scripts/run.sh --export [OPTION]...       the exporter: PNG pictures into ./out
  or:  scripts/run.sh --wine /s|/p|/c            the Windows saver under Wine on $DISPLAY:
                                                  /s full screen, /p a preview in a small
                                                  host window, /c the settings dialog
Each builds what it runs and installs the Debian packages it is missing when
run as root. OPTIONs go to the program: the saver's (build/native/linux/quorvana
--help) or the exporter's (--export --help), e.g.
  scripts/run.sh --fullscreen --speed 80
  scripts/run.sh --export --size 1920x1080 --pictures 5 --out pictures
TEXT
}

# build TARGET...: the native build of these targets, in the repository.
build() {
    (cd "$repo" && cmake --preset native >/dev/null &&
        cmake --build --preset native -j "$(nproc)" --target "$@")
}

case ${1:-} in
--help | -h)
    usage
    exit 0
    ;;
--wine)
    exec "$repo/scripts/run-wine.sh" "${@:2}"
    ;;
--export)
    need_packages "${NATIVE_PACKAGES[@]}" "${WAYLAND_PACKAGES[@]}"
    build quorvana-render
    exec "$repo/build/native/tools/quorvana-render" "${@:2}"
    ;;
--screenshot)
    shot=${2:?usage: scripts/run.sh --screenshot FILE [OPTION]...}
    need_packages "${NATIVE_PACKAGES[@]}" "${WAYLAND_PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}"
    build quorvana
    # The saver draws on the root window of a display of its own; the
    # screenshot is that window.
    SHOT=$shot xvfb-run -a -s '-screen 0 1280x720x24' sh -c \
        '"$0" --root "$@" & sleep 8; import -window root "$SHOT"; status=$?; kill $!; exit $status' \
        "$repo/build/native/linux/quorvana" "${@:3}" </dev/null ||
        { echo "run.sh: the screenshot failed" >&2; exit 1; }
    echo "run.sh: wrote $shot" >&2
    exit 0
    ;;
esac

need_packages "${NATIVE_PACKAGES[@]}" "${WAYLAND_PACKAGES[@]}"
if [ -z "${DISPLAY:-}" ]; then
    cat >&2 <<'TEXT'
run.sh: there is no X display to show the saver on ($DISPLAY is not set). Instead:
  - run it from a desktop session, or over ssh -X;
  - or write the pictures as PNG files into ./out:
      scripts/run.sh --export --size 1280x720 --pictures 5
  - or run it in a virtual display and take a screenshot (shot.png):
      scripts/run.sh --screenshot shot.png
TEXT
    exit 2
fi
build quorvana
exec "$repo/build/native/linux/quorvana" "$@"
