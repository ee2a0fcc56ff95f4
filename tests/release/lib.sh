# SPDX-License-Identifier: MIT
# source lib.sh BUILD_DIR: the programs installed as docs/linux.md says, into a prefix of
# the test's own, and a user to run them as (nobody under root: lockers refuse root).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
make_work /tmp/quorvana-install-test.XXXXXX
chmod 755 "$WORK" && mkdir -m 700 "$WORK/home"
PREFIX=$WORK/prefix
cmake --install "$1" --prefix "$PREFIX/usr" >/dev/null
give_to_test_user "$WORK/home"
as_user() { "${as_test_user[@]}" env -i HOME="$WORK/home" PATH="$PREFIX/usr/bin:/usr/bin:/bin" "$@"; }
# At least a tenth of a 640 x 480 screen in pure greens: rows of a picture.
enough_green() { [ "$(convert "$1" -fx '(r == 0 && b == 0 && g > 0) ? 1 : 0' -format '%[fx:int(mean * w * h)]' info:)" -ge 30000 ]; }
# The pid of the first process named $2 among $1 and its descendants.
named() { local p=$1; while [ -n "$p" ]; do ps -o pid=,comm= -p "${p// /,}" | awk -v n="$2" '$2 == n { print $1 }'; p=$(pgrep -d ' ' -P "${p// /,}" || true); done | head -n 1; }
