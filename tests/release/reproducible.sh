#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# HEAD, as it is at the start, released twice from clean copies in different
# folders, minutes apart, the second time with another umask, time zone and
# locale: SHA256SUMS must be the same (diffoscope explains a difference), the
# folder must verify, and each artefact must carry the licence and the version.
# About 5 minutes on two cores. Usage: reproducible.sh REPO (scripts/release.sh --check)
set -euo pipefail
source "$(dirname "$0")/../support/checks.sh"
repo=$1
make_work /tmp/quorvana-reproducible.XXXXXX
commit=$(git -C "$repo" rev-parse HEAD)
release() { "$repo/scripts/release.sh" --allow-dirty --commit "$commit" --out "$1" >"$1.log" 2>&1 || { tail -n 30 "$1.log" >&2; exit 1; }; }
a=$WORK/first b=$WORK/second
release "$a"
(umask 002; mkdir -p "$WORK/tmp"; TMPDIR=$WORK/tmp TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 release "$b")
check "both builds have the same SHA256SUMS" 'cmp "$a/SHA256SUMS" "$b/SHA256SUMS"'
for file in $(cd "$a" && ls); do
    cmp -s "$a/$file" "$b/$file" || { echo "differs: $file" >&2; timeout 300 diffoscope "$a/$file" "$b/$file" | head -n 60 >&2 || true; }
done

v=$(git -C "$repo" show "$commit:CMakeLists.txt" | sed -n 's/^project(Quorvana VERSION \([0-9.]*\).*/\1/p')
check "the folder holds five artefacts and SHA256SUMS over them" \
      '[ "$(cd "$a" && ls | xargs)" = "QuorvanaSetup-$v.exe SHA256SUMS quorvana-$v-windows.zip quorvana-$v.tar.gz quorvana_${v}_amd64.deb quorvana_${v}_arm64.deb" ] &&
       (cd "$a" && sha256sum --quiet -c SHA256SUMS) && [ "$(wc -l <"$a/SHA256SUMS")" -eq 5 ]'
dpkg-deb -x "$a/quorvana_${v}_amd64.deb" "$WORK/deb" && unzip -q "$a/quorvana-$v-windows.zip" -d "$WORK/zip"
tar -xzf "$a/quorvana-$v.tar.gz" -C "$WORK"
git -C "$repo" show "$commit:LICENSE" >"$WORK/LICENSE"
doc=$WORK/deb/usr/share/doc/quorvana
check "the .deb's copyright is DEP-5, Expat" 'grep -q "^Format: .*copyright-format/1.0/" "$doc/copyright" && grep -qx "License: Expat" "$doc/copyright"'
check "the zip's LICENSE.txt and the source's LICENSE are the MIT licence" \
      'grep -q "^MIT License" "$WORK/LICENSE" && cmp "$WORK/quorvana-$v/LICENSE" "$WORK/LICENSE" && tr -d "\r" <"$WORK/zip/LICENSE.txt" | cmp - "$WORK/LICENSE"'
check "the arm64 .deb is for arm64, the same version and files as the amd64 one" \
      '[ "$(dpkg-deb -f "$a/quorvana_${v}_arm64.deb" Architecture)/$(dpkg-deb -f "$a/quorvana_${v}_arm64.deb" Version)" = "arm64/$v" ] &&
       diff <(dpkg-deb -c "$a/quorvana_${v}_amd64.deb" | awk "{ print \$1, \$6 }") <(dpkg-deb -c "$a/quorvana_${v}_arm64.deb" | awk "{ print \$1, \$6 }")'
check "the .deb, its changelog and its man page are version $v" \
      '[ "$(dpkg-deb -f "$a/quorvana_${v}_amd64.deb" Version)" = "$v" ] && zcat "$doc/changelog.gz" | head -n 1 | grep -q "^quorvana ($v) " &&
       zcat "$WORK/deb/usr/share/man/man6/quorvana.6.gz" | grep -q "^\.TH .*\"quorvana $v\""'
finish
