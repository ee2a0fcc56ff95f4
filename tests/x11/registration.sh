#!/usr/bin/env bash
# quorvana --register and --unregister as a user runs them, on hostile
# ~/.xscreensaver files and at hostile moments; each row was once a crash, a
# lost byte, a hang, a backup of the wrong mode, a replaced link or a
# temporary file left behind. A refusal is status 1, one line on stderr and
# the file byte-identical; nothing ever ends by a crash.
#   registration.sh QUORVANA SIGNAL_IN_FSYNC_LIBRARY
set -u
quorvana=$1 signal_in_fsync=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
as_root=()
[ "$(id -u)" -eq 0 ] && as_root=(--as-root)  # CI runs as root
run() {  # HOME ARGS...: quorvana in that home; status in $status, stderr in HOME/err
    local home=$1
    shift
    status=0
    HOME=$home timeout 10 "$quorvana" "$@" "${as_root[@]}" >/dev/null 2>"$home/err" || status=$?
}
new_home() { home=$work/$1; mkdir -p "$home"; }

# Odd files: register, then unregister gives the bytes back (exact), or,
# where register had to start a list, the file with that list (prefix).
while IFS='|' read -r name format back; do
    new_home "$name"
    printf "$format" >"$home/.xscreensaver"
    cp "$home/.xscreensaver" "$home/before"
    run "$home" --register
    [ "$status" -eq 0 ] || { fail "$name: register: status $status: $(cat "$home/err")"; continue; }
    run "$home" --unregister
    [ "$status" -eq 0 ] || fail "$name: unregister: status $status: $(cat "$home/err")"
    size=$(stat -c %s "$home/before")
    if [ "$back" = exact ]; then
        cmp -s "$home/before" "$home/.xscreensaver" || fail "$name: unregister did not give the bytes back"
    else
        cmp -s -n "$size" "$home/before" "$home/.xscreensaver" || fail "$name: the old bytes are not kept"
    fi
done <<'CASES'
ends in a backslash (comment)|#\\|prefix
ends in a backslash (setting)|timeout: 0:10:00 \\|prefix
ends in a backslash (short)|a:\\|prefix
a list of a lone CR|programs: \r\n|exact
an entry of a lone CR|programs: maze --root\\n\\\n\r\\n\\\n\r\n|exact
CASES

# The backup keeps the original's mode and, for root, its owner.
new_home backup
printf 'programs: maze --root\n' >"$home/.xscreensaver"
chmod 600 "$home/.xscreensaver"
[ "$(id -u)" -eq 0 ] && chown nobody "$home/.xscreensaver"
run "$home" --register
[ "$(stat -c '%a %U' "$home/.xscreensaver.quorvana.bak")" = "$(stat -c '%a %U' "$home/.xscreensaver")" ] &&
    [ "$(stat -c '%a' "$home/.xscreensaver")" = 600 ] ||
    fail "backup: $(stat -c '%n %a %U' "$home"/.xscreensaver*)"

# A link whose target is missing stays a link; its target is written.
new_home dangling
ln -s dotfiles/xscreensaver "$home/.xscreensaver"
mkdir "$home/dotfiles"
run "$home" --register
[ "$status" -eq 0 ] && [ -L "$home/.xscreensaver" ] && grep -q 'quorvana --root' "$home/dotfiles/xscreensaver" ||
    fail "dangling link: status $status, $(ls -l "$home" "$home/dotfiles")"

# A FIFO is refused at once, without waiting for a writer.
new_home fifo
mkfifo "$home/.xscreensaver"
run "$home" --register
[ "$status" -eq 1 ] && [ "$(wc -l <"$home/err")" -eq 1 ] && grep -q 'not a regular file' "$home/err" ||
    fail "FIFO: status $status: $(cat "$home/err")"

# A signal in the middle of fsync ends the program once the files are whole,
# with no temporary file left.
for signal in TERM INT HUP; do
    new_home "signal-$signal"
    printf 'programs: maze --root\n' >"$home/.xscreensaver"
    status=0
    HOME=$home SIGNAL_IN_FSYNC=$(kill -l "$signal") LD_PRELOAD=$signal_in_fsync \
        "$quorvana" --register "${as_root[@]}" >/dev/null 2>&1 || status=$?
    left=$(ls -A "$home" | tr '\n' ' ')
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] && [ "$left" = ".xscreensaver .xscreensaver.quorvana.bak " ] &&
        grep -q 'quorvana --root' "$home/.xscreensaver" || fail "SIG$signal in fsync: status $status, left: $left"
done

# Root is refused without --as-root, and the file left as it was.
if [ "$(id -u)" -eq 0 ]; then
    new_home root
    printf 'programs: maze --root\n' >"$home/.xscreensaver"
    status=0
    HOME=$home "$quorvana" --register >/dev/null 2>"$home/err" || status=$?
    [ "$status" -eq 1 ] && [ "$(wc -l <"$home/err")" -eq 1 ] && grep -q -- '--as-root' "$home/err" &&
        [ "$(ls -A "$home" | tr '\n' ' ')" = ".xscreensaver err " ] || fail "root: status $status: $(cat "$home/err")"
else
    echo "skipped: the refusal of root (needs root)"
fi

# Registered where xscreensaver will not find it, it says where it must be.
new_home nowhere
HOME=$home PATH=$work/empty "$quorvana" --register "${as_root[@]}" >/dev/null 2>"$home/err"
if [ -x /usr/libexec/xscreensaver/quorvana ]; then
    ! grep -q warning "$home/err" || fail "installed, yet warned: $(cat "$home/err")"
else
    grep -q 'warning: .*/usr/libexec/xscreensaver/quorvana' "$home/err" || fail "no warning: $(cat "$home/err")"
fi

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
