// SPDX-License-Identifier: MIT
// The arm64 vector kernel: Advanced SIMD (NEON), which every arm64
// processor has, so it needs no check at run time.
#pragma once

#include <cstdint>

#include "render/escape_kernel.h"

namespace quorvana {

void EscapeRowNeon(const EscapeRowJob& job, std::int32_t* counts);
RowTotals ColourRowNeon(const std::int32_t* counts, int count, COLORREF* colours);

}  // namespace quorvana
