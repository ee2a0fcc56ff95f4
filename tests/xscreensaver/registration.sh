#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quorvana --register and --unregister on hostile ~/.xscreensaver files and at
# hostile moments, each once a fault.   registration.sh QUORVANA SIGNAL_IN_FSYNC_LIBRARY
set -u
quorvana=$1 signal_in_fsync=$2
source "$(dirname "$0")/../support/checks.sh"
make_work
as_root=$([ "$(id -u)" -ne 0 ] || echo --as-root)  # CI runs as root
run() {  # ARGS...: quorvana (and $as_root) in $home; status in $status, stderr in $home/err
    status=0
    HOME=$home /usr/bin/timeout 10 "$quorvana" "$@" $as_root >/dev/null 2>"$home/err" || status=$?
}
new_home() {  # NAME [PRINTF-FORMAT]: $home, with that ~/.xscreensaver
    home=$WORK/$1
    mkdir -p "$home"
    [ $# -lt 2 ] || printf "$2" >"$home/.xscreensaver"
}

# Register, then unregister gives the bytes back (exact), or, where register
# had to start a list, keeps them at the start (prefix).
while IFS='|' read -r name format back; do
    new_home "$name" "$format"
    run --register && [ "$status" -eq 0 ] && run --unregister
    [ "$status" -eq 0 ] || { fail "$name: status $status: $(cat "$home/err")"; continue; }
    [ "$back" = exact ] && limit=() || limit=(-n "$(printf "$format" | wc -c)")
    cmp -s "${limit[@]}" <(printf "$format") "$home/.xscreensaver" || fail "$name: the old bytes are not given back"
done <<'CASES'
ends in a backslash (comment)|#\\|prefix
ends in a backslash (setting)|timeout: 0:10:00 \\|prefix
ends in a backslash (short)|a:\\|prefix
a list of a lone CR|programs: \r\n|exact
an entry of a lone CR|programs: maze --root\\n\\\n\r\\n\\\n\r\n|exact
CASES

# One setup each (in the home), then --register; the check that must hold.
while IFS='|' read -r name setup check; do
    new_home "$name" 'programs: maze --root\n'
    (cd "$home" && eval "$setup")
    run --register
    eval "$check" || fail "$name: status $status: $(cat "$home/err"; ls -lR "$home")"
done <<'CASES'
backup keeps mode, owner|chmod 600 .xscreensaver; if [ "$(id -u)" -eq 0 ]; then chown nobody .xscreensaver; fi|[ "$(stat -c '%a %U' "$home/.xscreensaver.quorvana.bak")" = "$(stat -c '%a %U' "$home/.xscreensaver")" ]
dangling link|rm .xscreensaver; mkdir dotfiles; ln -s dotfiles/xs .xscreensaver|[ "$status" -eq 0 ] && [ -L "$home/.xscreensaver" ] && grep -q 'quorvana --root' "$home/dotfiles/xs"
FIFO|rm .xscreensaver; mkfifo .xscreensaver|[ "$status" -eq 1 ] && [ "$(wc -l <"$home/err")" -eq 1 ] && grep -q 'not a regular file' "$home/err"
CASES

# A signal inside fsync ends it once both files are whole, no temporary left
# (a sanitizing build's runtime lets the aid be preloaded only when told).
for signal in TERM INT HUP; do
    new_home "signal-$signal" 'programs: maze --root\n'
    ASAN_OPTIONS=verify_asan_link_order=0 SIGNAL_IN_FSYNC=$(kill -l "$signal") LD_PRELOAD=$signal_in_fsync run --register
    left=$(ls -A "$home" | tr '\n' ' ')
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] && [ "$left" = ".xscreensaver .xscreensaver.quorvana.bak err " ] &&
        grep -q 'quorvana --root' "$home/.xscreensaver" || fail "SIG$signal in fsync: status $status, left: $left"
done

if [ -n "$as_root" ]; then
    new_home root 'programs: maze --root\n'
    as_root='' run --register
    [ "$status" -eq 1 ] && [ "$(wc -l <"$home/err")" -eq 1 ] && grep -q -- '--as-root' "$home/err" &&
        [ "$(cat "$home/.xscreensaver")" = 'programs: maze --root' ] || fail "root: status $status: $(cat "$home/err")"
fi

# Unless the package is installed, xscreensaver will not find it: it says where it must be.
new_home nowhere
PATH=$WORK/empty run --register
if [ -x /usr/libexec/xscreensaver/quorvana ]; then ! grep -q warning "$home/err"
else grep -q 'warning: .*/usr/libexec/xscreensaver/quorvana' "$home/err"; fi || fail "warning or not: $(cat "$home/err")"

finish
