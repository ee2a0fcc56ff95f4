#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes a release of the last commit: builds it in Release from a clean copy
# (git archive of HEAD, so nothing uncommitted or untracked gets in) and puts
# into one folder the Debian packages (amd64, arm64), the Windows installer
# and zip, the source archive and SHA256SUMS over them. The version is the
# one of project() in CMakeLists.txt; every time inside the artefacts is the
# last commit's (SOURCE_DATE_EPOCH), so two runs give the same bytes.
#
#   scripts/release.sh [--out DIR] [--commit REV]
#                                    default: build/release/quorvana-VERSION, HEAD
#   scripts/release.sh --check       builds the release twice, in different
#                                    folders at different times, and compares
#                                    them byte for byte (tests/release/)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
usage() {
    cat <<'TEXT'
Usage: scripts/release.sh [--out DIR] [--commit REV]
  or:  scripts/release.sh --check
Makes a release of a commit (default HEAD) into DIR (default
build/release/quorvana-VERSION): the Debian packages (amd64, arm64), the
Windows installer and zip, the source archive and SHA256SUMS.
  --check   builds the release twice, in different folders at different
            times, and compares them byte for byte (tests/release/)
TEXT
}
out="" commit=HEAD allow_dirty=false check=false
while [ $# -gt 0 ]; do
    case $1 in
        --out) [ $# -ge 2 ] || { echo "release.sh: --out needs a folder" >&2; exit 2; }; out=$2; shift 2 ;;
        --out=*) out=${1#--out=}; shift ;;
        --commit) [ $# -ge 2 ] || { echo "release.sh: --commit needs a revision" >&2; exit 2; }; commit=$2; shift 2 ;;
        --check) check=true; shift ;;
        --allow-dirty) allow_dirty=true; shift ;;  # the check's own: it builds HEAD as committed
        -h | --help) usage; exit 0 ;;
        *) echo "release.sh: unknown argument '$1' (allowed: --out DIR, --commit REV, --check, --help)" >&2; exit 2 ;;
    esac
done

cd "$repo"
source scripts/packages.sh
need_packages "${NATIVE_PACKAGES[@]}" "${WAYLAND_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${ARM64_PACKAGES[@]}"
if $check; then
    need_packages "${RELEASE_PACKAGES[@]}"
    exec bash tests/release/reproducible.sh "$repo"
fi
# Resolved once: a commit made while the release builds is not in it.
resolved=$(git rev-parse --verify --quiet "$commit^{commit}") || { echo "release.sh: no commit '$commit'" >&2; exit 2; }
commit=$resolved
if ! $allow_dirty && [ "$commit" = "$(git rev-parse HEAD)" ] && [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "release.sh: the work tree has uncommitted changes; a release is made of a commit: commit them first" >&2
    exit 1
fi
version=$(git show "$commit:CMakeLists.txt" | sed -n 's/^project(Quorvana VERSION \([0-9.]*\).*/\1/p')
[ -n "$version" ] || { echo "release.sh: no 'project(Quorvana VERSION ...)' in CMakeLists.txt" >&2; exit 1; }
out=$(realpath -m "${out:-build/release/quorvana-$version}")
if [ -e "$out" ] && [ -n "$(ls -A "$out")" ]; then
    echo "release.sh: '$out' is not empty; give an empty or new folder with --out" >&2
    exit 1
fi
mkdir -p "$out"

# Archives take the modes of the files they are made from (the .deb's ar
# members too), and times from SOURCE_DATE_EPOCH.
umask 022
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvana-release.XXXXXX")
# A release that failed leaves no half-filled folder (it was empty or new).
trap 'status=$?; rm -rf "$work"; [ "$status" -eq 0 ] || rm -rf "$out"' EXIT
log=$work/build.log
step() {
    echo "release: $1" >&2
    shift
    "$@" >>"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "release.sh: failed: $*" >&2; exit 1; }
}

name=quorvana-$version
src=$work/$name
step "source archive $name.tar.gz" bash -c 'git archive --format=tar --prefix="$1/" "$3" | gzip -9n >"$2/$1.tar.gz"' _ "$name" "$out" "$commit"
step "unpacking it into $src" tar -xzf "$out/$name.tar.gz" -C "$work"
jobs=$(nproc)
# Only what the package holds: cpack builds no more when "preinstall" does not
# depend on "all" (the benchmarks and tests are not released).
step "Linux build" bash -c 'cd "$1" && cmake --preset native -DBUILD_TESTING=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON &&
    cmake --build --preset native -j "$2" --target quorvana quorvana-render quorvana_docs' _ "$src" "$jobs"
step "Debian package" bash -c 'cd "$1/build/native" && cpack -G DEB' _ "$src"
# The arm64 package: cross-built, its manual pages from --help under qemu, its
# Depends from the :arm64 libraries' shlibs.
step "arm64 build" bash -c 'cd "$1" && cmake --preset arm64 -DBUILD_TESTING=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON &&
    cmake --build --preset arm64 -j "$2" --target quorvana quorvana-render quorvana_docs' _ "$src" "$jobs"
step "arm64 Debian package" bash -c 'cd "$1/build/arm64" && cpack -G DEB' _ "$src"
step "Windows build, installer and zip" bash -c 'cd "$1" && cmake --preset windows -DBUILD_TESTING=OFF &&
    cmake --build --preset windows -j "$2" --target installer' _ "$src" "$jobs"

cp "$src/build/native/quorvana_${version}_amd64.deb" "$src/build/arm64/quorvana_${version}_arm64.deb" \
   "$src/build/windows/QuorvanaSetup-$version.exe" \
   "$src/build/windows/$name-windows.zip" "$out/"
(cd "$out" && LC_ALL=C sha256sum -- *.deb *.exe *.zip *.tar.gz >SHA256SUMS)
echo "release: $out" >&2
(cd "$out" && ls -l)
