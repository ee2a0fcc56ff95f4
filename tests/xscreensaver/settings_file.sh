#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The settings description xscreensaver-settings reads (xscreensaver/
# quorvana.xml): well formed, every argument it can add is one quorvana
# takes (sliders at their ends and default), its theme menu offers every
# theme quorvana has, the first without an argument (the default look),
# and the two check boxes add --full-rows and --zoom.
# Usage: settings_file.sh QUORVANA XML
set -uo pipefail
quorvana=$1 xml=$2
source "$(dirname "$0")/../support/checks.sh"
make_work

xmllint --noout "$xml" || fail "not well formed"

# Every arg-set, and each slider's arg at its low, high and default values.
mapfile -t sets < <(xmllint --xpath '//@arg-set' "$xml" | sed 's/^ *arg-set="//; s/"$//')
for id in $(xmllint --xpath '//number/@id' "$xml" | sed 's/ *id="\([^"]*\)"/\1 /g'); do
    arg=$(xmllint --xpath "string(//number[@id='$id']/@arg)" "$xml")
    for end in low high default; do
        value=$(xmllint --xpath "string(//number[@id='$id']/@$end)" "$xml")
        sets+=("${arg/\%/$value}")
    done
done
[ "${#sets[@]}" -ge 10 ] || fail "only ${#sets[@]} arguments found: ${sets[*]}"
for set in "${sets[@]}"; do
    # shellcheck disable=SC2086
    "$quorvana" --root $set --version >/dev/null 2>"$WORK/err" || fail "quorvana refuses '$set': $(cat "$WORK/err")"
done

# The menu: every theme quorvana names, green first and without an argument.
themes=$("$quorvana" --theme none 2>&1 | sed -n "s/.*is not one of //p" | tr -d ',')
[ -n "$themes" ] || fail "quorvana names no themes"
offered=$(xmllint --xpath '//select[@id="theme"]/option/@id' "$xml" | sed 's/ *id="\([^"]*\)"/\1 /g' | xargs)
[ "$offered" = "$themes" ] || fail "the menu offers '$offered', quorvana has '$themes'"
[ -z "$(xmllint --xpath 'string(//select[@id="theme"]/option[1]/@arg-set)' "$xml")" ] ||
    fail "the first theme in the menu adds an argument"
for theme in ${themes#green}; do
    [ "$(xmllint --xpath "string(//select[@id='theme']/option[@id='$theme']/@arg-set)" "$xml")" = "--theme $theme" ] ||
        fail "the menu's $theme does not add --theme $theme"
done
for box in --full-rows --zoom; do
    [ "$(xmllint --xpath "count(//boolean[@arg-set='$box'])" "$xml")" = 1 ] || fail "no check box adds $box"
done
finish
