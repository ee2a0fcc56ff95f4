# SPDX-License-Identifier: MIT
# The checks of the test scripts that try a product as a user would (the
# package, the installation, the release), sourced by each:
#   check WHAT CODE            evaluates CODE; says "ok: WHAT", or "FAIL: WHAT"
#                              on standard error and counts it in $failures;
#                              a script ends with [ "$failures" -eq 0 ]
#   wait_until SECONDS CMD...  runs CMD until it succeeds, for SECONDS by the
#                              clock, however long each try takes on a busy
#                              machine; false when the time is up
# Usage: source "$(dirname "$0")/../support/checks.sh"
failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1" >&2; failures=$((failures + 1)); fi; }
wait_until() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}
