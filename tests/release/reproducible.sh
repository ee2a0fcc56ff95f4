#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The release is reproducible and whole: HEAD is released twice, from two
# clean copies in different folders, minutes apart, with another umask, time
# zone and locale the second time; both SHA256SUMS must be the same, and the
# folder must verify against its SHA256SUMS and carry the licence and the
# version in each artefact. A difference is explained by diffoscope, where
# installed. About 4 minutes on two cores. CI: scripts/release.sh --check.
# Usage: reproducible.sh REPO
set -euo pipefail
repo=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvana-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1" >&2; failures=$((failures + 1)); fi; }

version=$(sed -n 's/^project(Quorvana VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
release() { "$repo/scripts/release.sh" --allow-dirty --out "$1" >"$1.log" 2>&1 || { tail -n 30 "$1.log" >&2; exit 1; }; }
release "$work/first"
(umask 002; mkdir -p "$work/elsewhere/tmp"
 TMPDIR=$work/elsewhere/tmp TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 release "$work/second")

a=$work/first b=$work/second
check "SHA256SUMS is the same for both builds" 'cmp -s "$a/SHA256SUMS" "$b/SHA256SUMS"'
for file in $(cd "$a" && ls); do
    cmp -s "$a/$file" "$b/$file" && continue
    echo "differs: $file" >&2
    if command -v diffoscope >/dev/null; then
        timeout 300 diffoscope --text "$work/$file.diff" "$a/$file" "$b/$file" >/dev/null 2>&1 || true
        head -n 60 "$work/$file.diff" >&2
    fi
done

# --- what the folder holds -------------------------------------------------
names="QuorvanaSetup-$version.exe SHA256SUMS quorvana-$version-windows.zip quorvana-$version.tar.gz quorvana_${version}_amd64.deb"
check "the folder holds the four artefacts and SHA256SUMS" '[ "$(cd "$a" && LC_ALL=C ls | xargs)" = "$names" ]'
check "every artefact matches SHA256SUMS" '(cd "$a" && sha256sum --quiet -c SHA256SUMS) && [ "$(wc -l <"$a/SHA256SUMS")" -eq 4 ]'
mkdir "$work/deb" "$work/zip" "$work/src"
dpkg-deb -x "$a/quorvana_${version}_amd64.deb" "$work/deb"
unzip -q "$a/quorvana-$version-windows.zip" -d "$work/zip"
tar -xzf "$a/quorvana-$version.tar.gz" -C "$work/src"
check "the .deb's copyright is DEP-5 with the Expat licence" \
      'grep -qx "License: Expat" "$work/deb/usr/share/doc/quorvana/copyright" && grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "$work/deb/usr/share/doc/quorvana/copyright"'
check "the zip's LICENSE.txt is LICENSE with CRLF" 'diff -q <(tr -d "\r" <"$work/zip/LICENSE.txt") "$repo/LICENSE" >/dev/null'
check "the source archive holds LICENSE" 'cmp -s "$work/src/quorvana-$version/LICENSE" "$repo/LICENSE"'
check "LICENSE is MIT" 'grep -q "^MIT License" "$repo/LICENSE"'
check "the .deb is version $version" '[ "$(dpkg-deb -f "$a/quorvana_${version}_amd64.deb" Version)" = "$version" ]'
check "its changelog's newest entry is $version" 'zcat "$work/deb/usr/share/doc/quorvana/changelog.gz" | head -n 1 | grep -q "^quorvana ($version) "'
check "its man pages say $version" 'zcat "$work/deb/usr/share/man/man6/quorvana.6.gz" | grep -q "^\.TH .*\"quorvana $version\""'
[ "$failures" -eq 0 ]
