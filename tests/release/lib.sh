# SPDX-License-Identifier: MIT
# What the installation tests share, sourced by each: the programs installed
# as README says (cmake --install with a prefix of the test's own), a user to
# run them as (nobody under root: screen lockers and xscreensaver refuse
# root), and the green count of a screenshot.
# Usage: source lib.sh BUILD_DIR; then $PREFIX/usr holds the installation.
set -euo pipefail
build=$1
WORK=$(mktemp -d /tmp/quorvana-install-test.XXXXXX)
chmod 755 "$WORK"
cleanups=()
trap 'for c in "${cleanups[@]}"; do eval "$c" || true; done; rm -rf "$WORK"' EXIT
PREFIX=$WORK/prefix
cmake --install "$build" --prefix "$PREFIX/usr" >/dev/null
mkdir -m 700 "$WORK/home"
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$WORK/home"
    as_user() { runuser -u nobody -- env -i HOME="$WORK/home" PATH="$PREFIX/usr/bin:/usr/bin:/bin" "$@"; }
else
    as_user() { env -i HOME="$WORK/home" PATH="$PREFIX/usr/bin:/usr/bin:/bin" "$@"; }
fi

failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1" >&2; failures=$((failures + 1)); fi; }
wait_until() {
    local limit=$1 i
    shift
    for ((i = 0; i < limit * 5; i++)); do "$@" && return 0; sleep 0.2; done
    return 1
}
# At least a tenth of a 640 x 480 screen in pure greens: rows of a picture.
enough_green() {
    [ "$(convert "$1" -fx '(r == 0 && b == 0 && g > 0) ? 1 : 0' -format '%[fx:int(mean * w * h)]' info:)" -ge 30000 ]
}
descendants() { local child; for child in $(pgrep -P "$1"); do echo "$child"; descendants "$child"; done; }
# The pid of the quorvana that process $1 started, directly or not.
saver_under() { descendants "$1" | xargs -r ps -o pid=,comm= -p | awk '$2 == "quorvana" { print $1; exit }'; }
