#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# No fused multiply-add in the programs' machine code: one rounding where the
# escape loop rounds twice changes pictures. GCC and clang fuse by default on
# arm64 (and on x86-64 wherever FMA is enabled, as in the AVX-512 kernel's
# file); the build's -ffp-contract=off must reach every object.
# Usage: no_fused_multiply_add.sh OBJDUMP PROGRAM...
set -uo pipefail
source "$(dirname "$0")/../support/checks.sh"
objdump=$1
shift
# arm64: fmadd, fmsub, fnmadd, fnmsub (scalar), fmla, fmls (vector);
# x86-64: vfmadd…, vfmsub…, vfnmadd…, vfnmsub… (FMA3, FMA4, AVX-512).
fused='\s(fn?m(add|sub)|fml[as]|vfn?m(add|sub)[0-9a-z]*)\s'
multiply='\s(fmul|v?mul[sp]d)\s'
for program in "$@"; do
    code=$("$objdump" -d --no-show-raw-insn "$program")
    found=$(grep -E "$fused" <<<"$code" | head -n 5)
    check "$(basename "$program"): multiplies, none fused${found:+: $found}" \
          'grep -qE "$multiply" <<<"$code" && [ -z "$found" ]'
done
[ "$failures" -eq 0 ]
