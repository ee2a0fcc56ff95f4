#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the Debian changelog from CHANGELOG.md, so the package's history and
# the people's history are one text, and fails unless its newest version is
# the project's: a release cannot ship a version the changelog does not name.
# Usage: changelog-from-markdown.sh CHANGELOG.md VERSION "NAME <EMAIL>" > changelog
set -euo pipefail
markdown=$1 version=$2 maintainer=$3

newest=$(sed -n 's/^## \([^ ]*\) (.*/\1/p' "$markdown" | head -n 1)
if [ "$newest" != "$version" ]; then
    echo "$markdown: the newest version is '${newest:-none}', the project's is $version: add a section '## $version (YYYY-MM-DD)'" >&2
    exit 1
fi

# A version's trailer line closes its entry; its date is the heading's, at midnight UTC.
trailer() { echo; echo " -- $maintainer  $(LC_ALL=C date -u -R -d "$1 00:00:00")"; }
day=""
while IFS= read -r line; do
    if [[ $line =~ ^##\ ([^ ]+)\ \(([0-9]{4}-[0-9]{2}-[0-9]{2})\)$ ]]; then
        [ -z "$day" ] || { trailer "$day"; echo; }
        echo "quorvana (${BASH_REMATCH[1]}) unstable; urgency=medium"
        echo
        day=${BASH_REMATCH[2]}
    elif [ -n "$day" ] && [[ $line == "- "* ]]; then
        echo "  * ${line#- }"
    elif [ -n "$day" ] && [[ $line == "  "* ]]; then
        echo "    ${line#  }"
    fi
done <"$markdown"
[ -n "$day" ] && trailer "$day"
