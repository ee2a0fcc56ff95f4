# SPDX-License-Identifier: MIT
# cmake --install puts the program where xscreensaver looks for display
# modes, its settings description beside xscreensaver's, and a link on $PATH;
# README's uninstall line, run as README prints it, then leaves no file of it.
# cmake --install writes BUILD_DIR/install_manifest.txt: the one found there
# is put back at the end (CTest keeps the other installing tests apart).
# Usage: install.sh BUILD_DIR
set -euo pipefail
here=$(dirname "$0")
source "$here/../support/checks.sh"
build=$(cd "$1" && pwd)
make_work
prefix=$WORK/prefix
manifest=$build/install_manifest.txt
[ ! -e "$manifest" ] || cp -p "$manifest" "$WORK/manifest"
at_exit 'if [ -e "$WORK/manifest" ]; then mv "$WORK/manifest" "$manifest"; else rm -f "$manifest"; fi'
cmake --install "$build" --prefix "$prefix/usr" >/dev/null
check "program in the hack folder" '[ -x "$prefix/usr/libexec/xscreensaver/quorvana" ]'
check "link on the path" '[ "$("$prefix/usr/bin/quorvana" --version)" = "$("$prefix/usr/libexec/xscreensaver/quorvana" --version)" ]'
xml=$prefix/usr/share/xscreensaver/config/quorvana.xml
check "settings file" '[ -f "$xml" ]'
check "settings file: speed slider 0 to 100" 'grep -q "type=\"slider\" arg=\"--speed %\"" "$xml" && grep -q "low=\"0\" high=\"100\" default=\"100\"" "$xml"'
check "settings file: the slider's argument is accepted" '"$prefix/usr/bin/quorvana" -speed 37 --help >/dev/null'

# README's line, without sudo, on this build's manifest.
mapfile -t uninstall < <(grep -x "sudo xargs .* < build/native/install_manifest.txt" "$here/../../README.md")
check "README has one uninstall line" '[ "${#uninstall[@]}" -eq 1 ]'
line=${uninstall[0]:-}
line=${line#sudo }
check "installed files: all of them in the manifest" \
      'diff <(find "$prefix" ! -type d | sort) <(sort "$manifest")'
check "README's uninstall line runs" 'bash -c "${line//build\/native\//$build/}"'
check "it leaves no file and no link in the prefix" '[ -z "$(find "$prefix" ! -type d)" ]'
finish
