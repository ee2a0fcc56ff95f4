# SPDX-License-Identifier: MIT
# Builds the Debian package with CPack and checks it as Debian would: its
# name and files, Depends naming the package of every library the binaries
# load, lintian with no error and no warning, and manual pages that groff
# renders without a warning and that mention every option of --help.
# Usage: package.sh BUILD_DIR VERSION [ARCHITECTURE]   (default amd64)
# A cross build gives the programs' --help through the emulator in QUORVANA
# and QUORVANA_RENDER.
set -euo pipefail
source "$(dirname "$0")/../support/checks.sh"
build=$1 version=$2 arch=${3:-amd64}
deb=$build/quorvana_${version}_${arch}.deb
multiarch=$(dpkg-architecture -a "$arch" -qDEB_HOST_MULTIARCH 2>/dev/null)

rm -f "$deb"
(cd "$build" && cpack -G DEB >/dev/null)
check "built $(basename "$deb")" '[ -f "$deb" ]'
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for path in /usr/libexec/xscreensaver/quorvana /usr/share/xscreensaver/config/quorvana.xml \
            /usr/bin/quorvana-render /usr/bin/quorvana /usr/share/man/man6/quorvana.6.gz \
            /usr/share/man/man1/quorvana-render.1.gz /usr/share/doc/quorvana/copyright \
            /usr/share/doc/quorvana/changelog.gz; do
    check "holds $path" 'grep -qx -- ".$path" <<<"$contents"'
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
make_work
unpacked=$WORK
dpkg-deb -x "$deb" "$unpacked"
for soname in $(readelf -d "$unpacked/usr/libexec/xscreensaver/quorvana" "$unpacked/usr/bin/quorvana-render" |
                sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' | sort -u); do
    owner=$(dpkg -S "*/$multiarch/$soname" 2>/dev/null | head -n 1 | cut -d: -f1)
    check "Depends names $owner, which holds $soname" \
          '[ -n "$owner" ] && [[ ", $depends," == *", $owner "* || ", $depends," == *", $owner,"* ]]'
done
check "recommends xscreensaver" '[ "$(dpkg-deb -f "$deb" Recommends)" = xscreensaver ]'
# One contact, which mail can reach: no reserved domain (RFC 2606) of a placeholder.
maintainer=$(dpkg-deb -f "$deb" Maintainer)
check "Maintainer '$maintainer' is an address on a real domain" \
      '[[ $maintainer =~ ^[^\<]+\ \<[^@\ ]+@[^\ ]+\>$ && ! $maintainer =~ \.(example|invalid|test|localhost)\>$ ]]'
check "the copyright's Upstream-Contact and the changelog's signature are the Maintainer" \
      'grep -qxF "Upstream-Contact: $maintainer" "$unpacked/usr/share/doc/quorvana/copyright" &&
       zcat "$unpacked/usr/share/doc/quorvana/changelog.gz" | grep -q "^ -- $maintainer  "'

# lintian warns when run as root; that line is about lintian, not the package.
tags=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$tags" ] || echo "$tags"
check "lintian: no error, no warning" '! grep -q "^[EW]: " <<<"$tags"'

for page in "$build/packaging/quorvana.6:${QUORVANA:-$build/linux/quorvana}" \
            "$build/packaging/quorvana-render.1:${QUORVANA_RENDER:-$build/tools/quorvana-render}"; do
    roff=${page%%:*} program=${page#*:}
    check "$(basename "$roff"): groff -ww has nothing to say" \
          '[ -z "$(groff -ww -man -Tutf8 -z "$roff" 2>&1)" ]'
    text=$(MANWIDTH=200 man -l "$roff" 2>/dev/null)
    for option in $("$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        check "$(basename "$roff") describes $option" 'grep -q -- "$option" <<<"$text"'
    done
done
finish
