# SPDX-License-Identifier: MIT
# What every test script shares; each sources this file (itself or through
# its folder's lib.sh) and ends with `finish`.
#   fail WHY...                "FAIL: WHY" on standard error, counted in $failures
#   pass WHAT...               "ok: WHAT"
#   check WHAT CODE            evaluates CODE: pass WHAT when it succeeds, else fail WHAT
#   finish                     the verdict: "all passed", or "N failure(s)" and status 1
#   wait_until SECONDS CMD...  runs CMD until it succeeds, for SECONDS by the clock (not by
#                              tries: on a busy machine each try takes longer)
#   make_work [TEMPLATE]       $WORK, a folder of the script's own (mktemp -d TEMPLATE),
#                              removed when the script ends
#   at_exit CODE               CODE evaluated when the script ends, before $WORK goes, the
#                              last given first; the script's status is in $exit_status
#   "${as_test_user[@]}" CMD...
#                              runs CMD as the test's user: the caller, or nobody (uid and gid
#                              65534) under root, whom sway, xscreensaver and the lockers
#                              accept; setpriv becomes CMD, so a background CMD's $! is its own
#   give_to_test_user PATH...  makes PATH and what it holds the test's user's (under root)
#   $test_user_id              that user's uid
# The script must not set an EXIT trap of its own: at_exit is the one way in.
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
check() { if eval "$2"; then pass "$1"; else fail "$1"; fi; }
finish() {
    [ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
    echo "all passed"
}

# Microseconds by the wall clock (the decimal point is the locale's).
now_us() { echo "${EPOCHREALTIME//[.,]/}"; }
wait_until() {
    local deadline
    deadline=$(($(now_us) + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1000000 }')))
    shift
    until "$@"; do
        [ "$(now_us)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

exit_hooks=()
at_exit() { exit_hooks+=("$1"); }
run_exit_hooks() {
    exit_status=$?
    local i
    for ((i = ${#exit_hooks[@]} - 1; i >= 0; i--)); do eval "${exit_hooks[i]}" || true; done
    [ -z "${WORK:-}" ] || rm -rf "$WORK"
}
trap run_exit_hooks EXIT
make_work() { WORK=$(mktemp -d "$@"); }

# An array, not a function: run in the background, a function is a subshell of its own.
as_test_user=()
test_user_id=$(id -u)
if [ "$test_user_id" -eq 0 ]; then
    test_user_id=65534
    as_test_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi
give_to_test_user() { [ ${#as_test_user[@]} -eq 0 ] || chown -R "$test_user_id:$test_user_id" "$@"; }
