#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The portable zip's README.txt as Notepad shows it: CRLF lines, and each
# title's underline (a line of = or -) exactly as long as the title above it.
# Usage: readme_txt_test.sh ZIP
source "$(dirname "$0")/../support/checks.sh"
make_work
(cd "$WORK" && cmake -E tar xf "$1" README.txt)
readme=$WORK/README.txt
check "every line of README.txt ends in CRLF" '! grep -q $'"'"'[^\r]$\|^$'"'"' "$readme"'
# "LENGTH TITLE" for each underline whose length differs from its title's, then the count of underlines.
report=$(tr -d '\r' <"$readme" | awk '/^(=+|-+)$/ && NR > 1 { n++; if (length($0) != length(above)) print length($0), above }
                                      { above = $0 } END { print n + 0 }')
check "each underline as long as its title" '[ "$(wc -l <<<"$report")" -eq 1 ] || { head -n -1 <<<"$report"; false; }'
check "the title and its sections are underlined" '[ "$(tail -n 1 <<<"$report")" -ge 3 ]'
finish
