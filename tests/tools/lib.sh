# SPDX-License-Identifier: MIT
# What the exporter's test scripts share: the checks and verdict of
# tests/support/checks.sh and a work folder that goes at the end.
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
make_work
