#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A user's file keeps what it had through every write (common/whole_file.h):
# quorvana --register on ~/.xscreensaver and the exporter over its pictures,
# on files with ACLs, extended attributes, hard links, read-only modes and
# other owners, and into folders that take no file. Each row was once a
# fault. A refusal is status 1, one line, and leaves every file as it was:
# bytes, mode, owner, links, ACL and attributes.
#   kept_files_test.sh QUORVANA QUORVANA_RENDER
set -u
quorvana=$(realpath "$1") exporter=$(realpath "$2")
source "$(dirname "$0")/lib.sh"
chmod 755 "$WORK"
cases=0
# Without a file of its own on $PATH the saver adds a warning line.
export PATH="$(dirname "$quorvana"):$PATH"

root=$([ "$(id -u)" -eq 0 ] && echo yes)
user_id=$([ -n "$root" ] && echo 65534 || id -u) user_group=$([ -n "$root" ] && echo 65534 || id -g)
as_user() { if [ -n "$root" ]; then setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; else "$@"; fi; }
as_root() { "$@" --as-root; }  # the saver runs as root only when told

# What the file system of the work folder can carry.
touch "$WORK/probe"
has_acl=$(setfacl -m u:1:r "$WORK/probe" 2>/dev/null && echo yes)
has_xattr=$(setfattr -n user.probe -v 1 "$WORK/probe" 2>/dev/null && echo yes)
rm "$WORK/probe"

# Setup helpers, run as root (or the user) in the case's folder $d:
xs() { printf 'programs: maze --root\n' >.xscreensaver && chown "$user_id:$user_group" .xscreensaver; }
pic() { as_user "$exporter" --size 8x8 --seed 3 --pictures 1 --out out >/dev/null 2>&1; }
# What each file carries besides its name: mode, owner, group, links, ACL,
# extended attributes (the ACL's among them) and a checksum of its bytes.
meta() {
    stat -c '%a %u %g %h' "$1"
    getfacl -cp "$1" 2>/dev/null
    getfattr -d -m - --absolute-names "$1" 2>/dev/null | tail -n +2
}
state() { find "$d" -type f -o -type l | sort | while read -r f; do echo "$f"; meta "$f"; sha1sum <"$f"; done; }
same() { [ "$(state)" = "$before" ]; }
one_line() { [ "$(wc -l <"$err")" -eq 1 ] && grep -q -- "$1" "$err"; }
refused() { [ "$status" -eq 1 ] && one_line "$1" && same && [ -z "$(find "$d" -name '*.partial')" ]; }
register() { (cd "$d" && HOME=$d "$@" quorvana --register) >/dev/null 2>"$err"; }  # WHO: as_root or as_user
render() { local who=$1; shift; (cd "$d" && $who "$exporter" --size 8x8 --seed 4 --pictures 1 "$@") >/dev/null 2>"$err"; }

# ~/.xscreensaver on a file system without ACLs or attributes (ramfs) in a
# mount namespace of its own, as a link to a file that has them: the backup
# beside the link cannot carry them, so nothing is written.
register_on_ramfs() {
    mkdir "$d/home"
    # shellcheck disable=SC2016
    unshare -m sh -c 'mount -t ramfs ramfs "$1/home" || exit 3
        ln -s "$1/.xscreensaver" "$1/home/.xscreensaver"
        HOME=$1/home "$2" --register --as-root >/dev/null 2>"$3"; status=$?
        ls -A "$1/home" >"$1.left"; exit $status' - "$d" "$quorvana" "$err"
}

# name|needs|setup (in $d, as root)|command|check ($status, $err, $before: the state after setup)
while IFS='|' read -r name needs setup command check; do
    case ",$needs," in
    *,root,*) [ -n "$root" ] || { echo "skipped: $name (sets up files as root)"; continue; } ;;
    esac
    case ",$needs," in
    *,acl,*) [ -n "$has_acl" ] || { echo "skipped: $name (the file system has no ACLs)"; continue; } ;;
    esac
    case ",$needs," in
    *,xattr,*) [ -n "$has_xattr" ] || { echo "skipped: $name (the file system has no extended attributes)"; continue; } ;;
    esac
    d=$WORK/case-$((++cases)) err=$WORK/err-$cases
    mkdir "$d" && chown "$user_id:$user_group" "$d"
    cd "$d" && eval "$setup" || { fail "$name: setup failed"; continue; }
    before=$(state) status=0
    eval "$command" || status=$?
    eval "$check" || fail "$name: status $status, $(cat "$err"; state)"
    cd "$WORK" || exit 1
done <<'CASES'
ACL and attribute kept, group not widened (root)|acl,xattr|xs; chmod 640 .xscreensaver; setfacl -m u:1:rw .xscreensaver; setfattr -n user.note -v keep .xscreensaver; meta .xscreensaver >kept|register as_root|[ "$status" -eq 0 ] && [ "$(meta .xscreensaver)" = "$(cat kept)" ] && [ "$(meta .xscreensaver.quorvana.bak)" = "$(cat kept)" ] && grep -q 'quorvana --root' "$d/.xscreensaver"
ACL and attribute kept, group not widened (a user)|acl,xattr|xs; chmod 640 .xscreensaver; setfacl -m u:1:rw .xscreensaver; setfattr -n user.note -v keep .xscreensaver; meta .xscreensaver >kept|register as_user|[ "$status" -eq 0 ] && [ "$(meta .xscreensaver)" = "$(cat kept)" ] && [ "$(meta .xscreensaver.quorvana.bak)" = "$(cat kept)" ]
a picture's ACL kept by the exporter|acl|pic; setfacl -m u:1:rw,g::r out/picture-0001.png; meta out/picture-0001.png >kept|render as_user --out out|[ "$status" -eq 0 ] && [ "$(meta "$d/out/picture-0001.png")" = "$(cat "$d/kept")" ]
no ACL where the backup goes: nothing written|root,acl,xattr|xs; setfacl -m u:1:rw .xscreensaver; setfattr -n user.note -v keep .xscreensaver|register_on_ramfs|[ "$status" -eq 1 ] && one_line "quorvana.bak': its access control list cannot be kept: Operation not supported; .* is left as it was" && same && [ "$(cat "$d.left")" = .xscreensaver ]
an attribute the user may not set: nothing written|root,xattr|xs; setfattr -n security.quorvana -v 1 .xscreensaver|register as_user|refused "extended attribute 'security.quorvana' cannot be kept: Operation not permitted"
a second hard link: refused, not split|root|xs; ln .xscreensaver dotfiles-xscreensaver|register as_user|refused "it has 2 hard links"
a second hard link to a picture: refused|root|pic; ln out/picture-0001.png kept.png|render as_user --out out|refused "picture-0001.png': it has 2 hard links"
a read-only file: refused|root|xs; chmod 444 .xscreensaver|register as_user|refused ".xscreensaver': Permission denied; it is left as it was"
root's file in the user's home: refused|root|xs; chown root .xscreensaver|register as_user|refused ".xscreensaver': Permission denied"
a read-only picture: refused|root|pic; chmod 444 out/picture-0001.png|render as_user --out out|refused "picture-0001.png': Permission denied"
a group the user is not in, which reads more: refused|root|xs; chgrp 0 .xscreensaver; chmod 640 .xscreensaver|register as_user|refused "its group (0) cannot be kept"
a group the user is not in, which reads no more: written|root|xs; chgrp 0 .xscreensaver; chmod 644 .xscreensaver|register as_user|[ "$status" -eq 0 ] && [ "$(stat -c %a "$d/.xscreensaver")" = 644 ]
a name as long as the file system takes (255)|root|:|render as_user --animation "$(printf 'a%.0s' {1..251}).gif"|[ "$status" -eq 0 ] && [ -s "$d/$(printf 'a%.0s' {1..251}).gif" ] && [ -z "$(find "$d" -name '*.partial')" ]
a read-only folder for --out: status 1 and why|root|mkdir ro; chmod 555 ro|render as_user --out ro/|refused "cannot write into 'ro/': Permission denied"
a read-only folder for --animation: status 1 and why|root|mkdir ro; chmod 555 ro|render as_user --animation ro/a.gif|refused "cannot write into the folder of 'ro/a.gif': Permission denied"
a newline in --out: the progress line escapes it|root|:|render as_user --out "$(printf 'new\nline')"|[ "$status" -eq 0 ] && [ "$(grep -c . "$err")" -eq 1 ] && grep -qx 'picture 1/1 written: new\\nline/picture-0001.png' "$err"
CASES
finish
