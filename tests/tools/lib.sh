# SPDX-License-Identifier: MIT
# What the exporter's test scripts share: a work folder that goes at the
# end, failures counted, and the summary line with the status.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
finish() {
    echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}
