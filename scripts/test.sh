#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds everything and runs all tests: the native build (renderer,
# exporter, X11 saver, the Debian package, README's installation commands),
# the Windows saver under Wine in a virtual display, and the arm64 build
# under qemu-aarch64.
set -euo pipefail
case ${1:-} in
"") ;;
-h | --help)
    cat <<'TEXT'
Usage: scripts/test.sh
Builds everything and runs all tests: the native build (renderer, exporter,
the X11 and Wayland savers, the Debian package, the installation commands),
the Windows saver under Wine in a virtual display, and the arm64 build under
qemu-aarch64. Installs the Debian packages it is missing when run as root;
otherwise prints the apt-get install line to run first.
TEXT
    exit 0
    ;;
*) echo "test.sh: unknown argument '$1' (it takes none; --help says what it does)" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${NATIVE_PACKAGES[@]}" "${WAYLAND_PACKAGES[@]}" "${X11_TEST_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" \
              "${RELEASE_PACKAGES[@]}" "${WAYLAND_TEST_PACKAGES[@]}" "${ARM64_PACKAGES[@]}"

jobs=$(nproc)
# Every stage runs whatever an earlier one did, and the end names each that
# failed: a failure in the native tests still lets the Windows and arm64
# ones say what they would.
failed=()
stage() {
    local name=$1
    shift
    echo "== $name" >&2
    "$@" || failed+=("$name")
}
build_and_test() {
    local preset=$1
    shift
    cmake --preset "$preset" "$@" >/dev/null && cmake --build --preset "$preset" -j "$jobs" &&
        ctest --preset "$preset" -j "$jobs"
}

stage native build_and_test native -DBUILD_TESTING=ON
# The Windows tests run under Wine in a virtual display: CTest's fixture
# (tests/windows/wine-session) makes a fresh WINEPREFIX and an Xvfb for this
# run and removes them afterwards.
# The Wine tests that share a session take turns (a resource lock); the
# multi-monitor test has displays of its own and runs beside them.
stage windows build_and_test windows
# arm64 (a Raspberry Pi), cross-built; its tests run under qemu-aarch64, the
# pictures held to the x86-64 build's bytes and its package run from an arm64 root.
stage arm64 build_and_test arm64 -DBUILD_TESTING=ON

if [ ${#failed[@]} -gt 0 ]; then
    echo "test.sh: failed: ${failed[*]} (each stage's own lines above say which tests)" >&2
    exit 1
fi
echo "test.sh: every stage passed" >&2
