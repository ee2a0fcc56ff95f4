#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The arm64 package as a Raspberry Pi gets it, run under emulation: mmdebstrap
# unpacks it with its dependencies, and nothing else, into an arm64 root
# without running a script (no arm64 program could run them here); every
# library its programs load must be in that root. From the root, under qemu:
# quorvana --help and --version, quorvana-render writing the build's pictures
# (which exporter_bytes holds to the x86-64 ones), and the display mode
# drawing that picture on the root window of the display it is given.
# Where no Debian mirror answers, the package's files alone are unpacked and
# run with this machine's arm64 libraries (libc6:arm64 and the :arm64 -dev
# packages' libraries), and the script says so.
# Usage: emulated_run.sh DEB QEMU BUILD_EXPORTER   (under tests/support/with-xvfb)
set -uo pipefail
source "$(dirname "$0")/../support/checks.sh"
deb=$1 qemu=$2 build_exporter=$3
: "${DISPLAY:?}"
work=$(mktemp -d /tmp/quorvana-arm64-root.XXXXXX)
trap 'rm -rf --one-file-system "$work"' EXIT
root=$work/root
cp "$deb" "$work/package.deb"

# mmdebstrap takes a package file by a path that must be the same inside the root.
if mmdebstrap -q --variant=extract --arch=arm64 --setup-hook="mkdir -p \"\$1$work\"" \
       --setup-hook="copy-in $work/package.deb $work" --include="$work/package.deb" bookworm "$root" \
       >"$work/mmdebstrap.log" 2>&1; then
    rm -rf "${root:?}$work"
    # needed FILE: the libraries FILE names, found in the root's library folders.
    missing=() files=("$root/usr/bin/quorvana-render" "$root/usr/libexec/xscreensaver/quorvana")
    declare -A seen
    for ((i = 0; i < ${#files[@]}; i++)); do
        for soname in $(readelf -d "${files[$i]}" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
            [ -z "${seen[$soname]:-}" ] || continue
            seen[$soname]=1
            found=$(ls "$root"/{usr/,}lib/aarch64-linux-gnu/"$soname" 2>/dev/null | head -n 1)
            if [ -n "$found" ]; then files+=("$found"); else missing+=("$soname"); fi
        done
    done
    check "the package's Depends bring every library its programs load (${#seen[@]}; missing: ${missing[*]:-none})" \
          '[ ${#missing[@]} -eq 0 ] && [ ${#seen[@]} -gt 10 ]'
else
    tail -n 5 "$work/mmdebstrap.log"
    echo "NOTE: mmdebstrap could not make an arm64 root (no Debian mirror?): the package's files are run with this machine's arm64 libraries"
    mkdir -p "$root" && dpkg-deb -x "$deb" "$root"
fi
# qemu looks for every file under the root first, then on this machine.
emulated() { "$qemu" -L "$root" "$@"; }

status=0
out=$(emulated "$root/usr/bin/quorvana" --help 2>&1) || status=$?
check "quorvana --help: status 0, its usage" '[ "$status" -eq 0 ] && grep -q "^Usage: quorvana" <<<"$out"'
version=$(dpkg-deb -f "$deb" Version)
check "quorvana --version and quorvana-render --version: $version" \
      '[ "$(emulated "$root/usr/bin/quorvana" --version)" = "quorvana $version" ] &&
       [ "$(emulated "$root/usr/bin/quorvana-render" --version)" = "quorvana-render $version" ]'

size=160x120 seed=19
mkdir "$work/installed" "$work/built"
emulated "$root/usr/bin/quorvana-render" --size $size --seed $seed --pictures 2 --out "$work/installed" >/dev/null 2>&1
"$build_exporter" --size $size --seed $seed --pictures 2 --out "$work/built" >/dev/null 2>&1
check "the installed quorvana-render writes the build's pictures" \
      '[ -s "$work/installed/picture-0002.png" ] && diff -r "$work/installed" "$work/built"'

# The display mode as xscreensaver starts it, on a screen of the exporter's size.
status=0
timeout 60 env -u XSCREENSAVER_WINDOW "$qemu" -L "$root" "$root/usr/libexec/xscreensaver/quorvana" --root --seed $seed --pictures 1 ||
    status=$?
import -window root "$work/screen.png"
differing=$(compare -metric AE "$work/screen.png" "$work/built/picture-0001.png" null: 2>&1)
check "the installed display mode draws the exporter's picture on the root window (status $status, $differing pixels differ)" \
      '[ "$status" -eq 0 ] && [ "$differing" = 0 ]'
[ "$failures" -eq 0 ]
