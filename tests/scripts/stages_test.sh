#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# scripts/test.sh runs every stage (native, Windows, arm64) whatever an
# earlier one did, and ends by naming each that failed, with status 1. Its
# builds and tests are stand-ins here: the native tests fail.
# Usage: stages_test.sh SOURCE_DIR
source "$(dirname "$0")/../support/checks.sh"
make_work /tmp/quorvana-stages-test.XXXXXX
mkdir -p "$WORK/repo" "$WORK/stand-ins"
cp -a "$1/scripts" "$WORK/repo/"
stand_in() { printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n%s\n' "$1" "$WORK" "$2" >"$WORK/stand-ins/$1"; chmod +x "$WORK/stand-ins/$1"; }
stand_in dpkg-query "echo 'install ok installed'"
stand_in dpkg "echo amd64"
stand_in cmake "exit 0"
stand_in ctest 'case "$*" in *"--preset native"*) exit 1 ;; esac'
status=0
env -i PATH="$WORK/stand-ins:/usr/bin:/bin" HOME="$WORK" "$WORK/repo/scripts/test.sh" >"$WORK/out" 2>"$WORK/err" || status=$?
check "a failing stage ends it with status 1" '[ "$status" -eq 1 ]'
check "the Windows and arm64 tests still ran" \
      'grep -q "^ctest --preset windows" "$WORK/calls" && grep -q "^ctest --preset arm64" "$WORK/calls"'
check "its last line names the failed stage and only it: $(tail -n 1 "$WORK/err")" \
      '[ "$(tail -n 1 "$WORK/err")" = "test.sh: failed: native (each stage'"'"'s own lines above say which tests)" ]'
finish
