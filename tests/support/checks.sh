# SPDX-License-Identifier: MIT
# For the scripts that try a product as a user would (package, installation, release):
#   check WHAT CODE            evaluates CODE; "ok: WHAT", or "FAIL: WHAT" on stderr, counted in $failures
#   wait_until SECONDS CMD...  runs CMD until it succeeds, for SECONDS by the clock (not by tries: busy machines)
failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1" >&2; failures=$((failures + 1)); fi; }
wait_until() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.2; done
}
