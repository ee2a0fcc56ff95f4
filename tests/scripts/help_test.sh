#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every script in scripts/ that one runs answers --help and -h with its usage
# on standard output and status 0, before doing anything else: it installs,
# builds and writes nothing. The scripts run from a copy of the folder (each
# takes its repository from its own place), with a HOME and TMPDIR of their
# own and, first on the PATH, stand-ins for the commands that install, build
# or run something, which note any call. A file without a #! line is sourced
# by the others (packages.sh), not run.
# Usage: help_test.sh SOURCE_DIR
source "$(dirname "$0")/../support/checks.sh"
make_work /tmp/quorvana-help-test.XXXXXX
mkdir -p "$WORK/repo" "$WORK/home" "$WORK/tmp" "$WORK/stand-ins"
cp -a "$1/scripts" "$WORK/repo/"
for command in apt-get apt dpkg dpkg-query cmake ctest make git wine wine64 wineserver xvfb-run Xvfb \
               sudo mmdebstrap convert import xdotool unshare; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\nexit 1\n' "$command" "$WORK" >"$WORK/stand-ins/$command"
    chmod +x "$WORK/stand-ins/$command"
done
# What the folders hold, the scripts' own included, so that any change shows.
state() { (cd "$WORK" && find repo home tmp -printf '%p %s %T@\n' | sort); }
before=$(state)

scripts=()
for script in "$WORK"/repo/scripts/*.sh; do
    if [ -x "$script" ]; then
        scripts+=("$script")
    else
        check "$(basename "$script") is sourced, not run: no #! line, not executable" '! head -n 1 "$script" | grep -q "^#!"'
    fi
done
check "the scripts include run.sh and test.sh" '[[ " ${scripts[*]} " == *"/run.sh "* && " ${scripts[*]} " == *"/test.sh "* ]]'

for script in "${scripts[@]}"; do
    for flag in --help -h; do
        name="$(basename "$script") $flag"
        status=0
        timeout 10 env -i PATH="$WORK/stand-ins:/usr/bin:/bin" HOME="$WORK/home" TMPDIR="$WORK/tmp" \
            "$script" "$flag" >"$WORK/out" 2>"$WORK/err" </dev/null || status=$?
        check "$name: status 0" '[ "$status" -eq 0 ] || { echo "status $status:"; cat "$WORK/err"; false; }'
        check "$name: its usage first on standard output" 'head -n 1 "$WORK/out" | grep -q "^[Uu]sage"'
        check "$name: nothing on standard error" '[ ! -s "$WORK/err" ] || { cat "$WORK/err"; false; }'
        check "$name: installs, builds and runs nothing" '[ ! -e "$WORK/calls" ] || { cat "$WORK/calls"; false; }'
        check "$name: writes nothing" '[ "$(state)" = "$before" ] || { diff <(echo "$before") <(state); false; }'
        rm -f "$WORK/calls"
        before=$(state)  # one failure is reported once
    done
done
finish
