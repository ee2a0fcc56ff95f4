// SPDX-License-Identifier: MIT
// The x86-64 vector kernels, each in its own translation unit: SSE2 is the
// x86-64 baseline; the AVX2 and AVX-512 ones are compiled for their
// instruction set, each for its own file only, and may be called only where
// the processor and the operating system support it.
#pragma once

#include <cstdint>

#include "render/escape_kernel.h"

namespace quorvana {

void EscapeRowSse2(const EscapeRowJob& job, std::int32_t* counts);
RowTotals ColourRowSse2(const std::int32_t* counts, int count, COLORREF* colours);

void EscapeRowAvx2(const EscapeRowJob& job, std::int32_t* counts);
double AccumulateRowAvx2(double x0, double step, int count, double* xs);
RowTotals ColourRowAvx2(const std::int32_t* counts, int count, COLORREF* colours);

void EscapeRowAvx512(const EscapeRowJob& job, std::int32_t* counts);
double AccumulateRowAvx512(double x0, double step, int count, double* xs);
RowTotals ColourRowAvx512(const std::int32_t* counts, int count, COLORREF* colours);

}  // namespace quorvana
