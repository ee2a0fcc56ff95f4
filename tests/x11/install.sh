# SPDX-License-Identifier: MIT
# cmake --install puts the program where xscreensaver looks for display
# modes, its settings description beside xscreensaver's, and a link on $PATH.
# Usage: install.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../support/checks.sh"
build=$1
make_work
prefix=$WORK
cmake --install "$build" --prefix "$prefix/usr" >/dev/null
check "program in the hack folder" '[ -x "$prefix/usr/libexec/xscreensaver/quorvana" ]'
check "link on the path" '[ "$("$prefix/usr/bin/quorvana" --version)" = "$("$prefix/usr/libexec/xscreensaver/quorvana" --version)" ]'
xml=$prefix/usr/share/xscreensaver/config/quorvana.xml
check "settings file" '[ -f "$xml" ]'
check "settings file: speed slider 0 to 100" 'grep -q "type=\"slider\" arg=\"--speed %\"" "$xml" && grep -q "low=\"0\" high=\"100\" default=\"100\"" "$xml"'
check "settings file: the slider's argument is accepted" '"$prefix/usr/bin/quorvana" -speed 37 --help >/dev/null'
finish
