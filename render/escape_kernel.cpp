// SPDX-License-Identifier: MIT
// The portable scalar kernel and the choice among the kernels a build holds.
#include "render/escape_kernel.h"

#include "render/escape_loop.h"

namespace quorvana {

// The escape loop once per point, as the plain loop takes it.
void EscapeRowScalar(const EscapeRowJob& job, std::int32_t* counts)
{
    for (int i = 0; i < job.count; ++i) counts[i] = EscapeFrom(job.xs[i], job.y, job.cRe, job.cIm, job.maxIter).iter;
}

double AccumulateRowScalar(double x0, double step, int count, double* xs)
{
    double x = x0;
    for (int i = 0; i < count; ++i) {
        xs[i] = x;
        x += step;
    }
    return x;
}

// The comparison values of two counts differ exactly when the counts differ
// modulo 256 (each channel is an odd multiple of n modulo 256, one to one),
// so neighbours are compared by their low bytes.
RowTotals ColourRowScalar(const std::int32_t* counts, int count, COLORREF* colours)
{
    RowTotals row;
    for (int i = 0; i < count; ++i) {
        const auto n = static_cast<std::uint32_t>(counts[i]);
        colours[i] = MakeRgb(0, kGreenStep * n & 0xFF, 0);
        if (i > 0) row.changes += ((n ^ static_cast<std::uint32_t>(counts[i - 1])) & 0xFF) != 0;
        row.steps += n;
    }
    return row;
}

const EscapeKernel& DispatchedEscapeKernel()
{
    // The processor does not change while the program runs.
    static const EscapeKernel fastest = AvailableEscapeKernels().back();
    return fastest;
}

}  // namespace quorvana
