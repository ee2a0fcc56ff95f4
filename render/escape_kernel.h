// SPDX-License-Identifier: MIT
// Row kernels for the escape-time count: given the x coordinates of a row
// (already accumulated, one per pixel) and the row's y, they compute the
// count n of every point as the escape loop (render/escape_loop.h) would,
// to the bit.
// Beside each kernel, the two passes around it in the same instruction set:
// the accumulation of the x coordinates and the colours of the counts.
//
// The renderer calls one kernel per drawn row, the fastest unless told
// otherwise; the tests and the benchmarks go through them all. Every kernel here gives the same
// counts as the plain loop for every input, NaN and infinities included:
// the arithmetic is the same IEEE double operations in the same order, and
// the build forbids fused multiply-add (-ffp-contract=off, no FMA code).
//
// Which kernels exist is decided by the build (the vector kernels only on
// x86-64 and arm64) and by the processor (AVX2 and AVX-512 only where it and the
// operating system support them); the scalar kernel exists everywhere.
#pragma once

#include <cstdint>
#include <vector>

#include "render/colour.h"

namespace quorvana {

// One row's work: counts[i] = n of the point (xs[i], y), for i < count.
struct EscapeRowJob {
    const double* xs = nullptr;
    int count = 0;
    double y = 0;
    double cRe = 0;
    double cIm = 0;
    int maxIter = 0;  // below 1 acts as 1: the first step is always taken
};

using EscapeRowFunction = void (*)(const EscapeRowJob& job, std::int32_t* counts);

// The x coordinates of a row as the plain loop steps them: xs[0] = x0 and
// xs[i + 1] = xs[i] + step, one rounded addition after the other, for
// i < count. Returns the value one step past the last, xs[count - 1] + step
// (x0 when count is 0).
using AccumulateRowFunction = double (*)(double x0, double step, int count, double* xs);

// What the colour pass counts over a row besides writing its colours.
struct RowTotals {
    std::int32_t changes = 0;  // neighbours i − 1, i whose comparison values differ
    std::uint64_t steps = 0;   // the sum of the counts
};

// colours[i] = the drawn colour RGB(0, kGreenStep · counts[i] mod 256, 0) for
// i < count, and the row's totals; counts are at least 0.
using ColourRowFunction = RowTotals (*)(const std::int32_t* counts, int count, COLORREF* colours);

// A row kernel with the two passes around it, all in one instruction set.
struct EscapeKernel {
    const char* name;                  // "scalar", "sse2", "avx2", "avx512", "neon"
    EscapeRowFunction run;             // the counts
    AccumulateRowFunction accumulate;  // the x coordinates before
    ColourRowFunction colour;          // the colours and totals after
};

// The kernels this build holds that this processor can run, the scalar one
// first and the fastest last.
std::vector<EscapeKernel> AvailableEscapeKernels();

// The fastest available kernel, looked up once; what a renderer uses
// unless told otherwise.
const EscapeKernel& DispatchedEscapeKernel();

// The portable kernel and passes: the escape loop once per point, the
// additions one after the other, no vector code.
void EscapeRowScalar(const EscapeRowJob& job, std::int32_t* counts);
double AccumulateRowScalar(double x0, double step, int count, double* xs);
RowTotals ColourRowScalar(const std::int32_t* counts, int count, COLORREF* colours);

}  // namespace quorvana
