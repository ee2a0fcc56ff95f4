#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Lists the tracked source files whose first lines lack the licence's SPDX
# identifier, or adds it (--add) as one comment line in each file's own
# syntax: after a #! line or an <?xml ...?> declaration, else first. Test
# data (tests/fuzz/corpus, the sample files under tests/xscreensaver/files)
# and documents are left alone. Exit status 1 while a file lacks it.
# Usage: scripts/spdx-check.sh [--add]
set -euo pipefail
cd "$(dirname "$0")/.."
tag="SPDX-License-Identifier: MIT"
add=false
case ${1:-} in
    "") ;;
    --add) add=true ;;
    -h | --help)
        echo "Usage: scripts/spdx-check.sh [--add]"
        echo "Lists the tracked source files without '$tag' in their first 5 lines"
        echo "(exit status 1 while one lacks it); --add adds it in each file's comment syntax."
        exit 0
        ;;
    *) echo "spdx-check.sh: unknown argument '$1' (allowed: --add, --help)" >&2; exit 2 ;;
esac

# The comment that carries the line, by file; nothing for a file that is no source.
comment_for() {
    case $1 in
        tests/fuzz/corpus/* | tests/xscreensaver/files/*) ;;
        *.cpp | *.h | *.c | *.rc | *.rc.in) echo "// $tag" ;;
        *.cmake | */CMakeLists.txt | CMakeLists.txt | *.sh | *.py | *.h2m) echo "# $tag" ;;
        *.nsi | *.nsh) echo "; $tag" ;;
        *.xml | *.manifest) echo "<!-- $tag -->" ;;
        *) head -c 2 "$1" | grep -q '^#!' && echo "# $tag" ;;
    esac
}

missing=0
while IFS= read -r file; do
    line=$(comment_for "$file") || true
    [ -n "$line" ] || continue
    head -n 5 "$file" | grep -q "$tag" && continue
    missing=$((missing + 1))
    if ! $add; then echo "$file"; continue; fi
    # help2man's include files take roff comments only in sections; a first
    # line of '#' is not roff, so they get a comment it skips: .\"
    [[ $file == *.h2m ]] && line=".\\\" $tag"
    line=${line//\\/\\\\}  # sed's a and i commands take a backslash as an escape
    if head -n 1 "$file" | grep -q '^#!\|^<?xml'; then
        sed -i "1a\\$line" "$file"
    else
        sed -i "1i\\$line" "$file"
    fi
    echo "added: $file"
done < <(git ls-files)
if ! $add && [ "$missing" -gt 0 ]; then
    echo "spdx-check.sh: $missing files lack '$tag' in their first 5 lines; scripts/spdx-check.sh --add adds it" >&2
    exit 1
fi
exit 0
