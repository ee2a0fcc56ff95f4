#!/usr/bin/env bash
# Builds Quorvana and runs it. For now: the exporter writes a zoom sequence
# into ./out (pass exporter options to change it, e.g. --size 1920x1080).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${NATIVE_PACKAGES[@]}"

cmake --preset native -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset native -j "$(nproc)" --target quorvana-render
exec build/native/tools/quorvana-render "$@"
