// SPDX-License-Identifier: MIT
// The escape loop of z → z² + c: the one rule every count follows, whether
// the renderer's plain loop (JuliaRenderer::EscapeCount) or the scalar row
// kernel computes it; the vector kernels are held to it by the tests.
#pragma once

#include <cstdint>

namespace quorvana {

// Where the loop left a point: its count and its final z, with the real
// part from before the last step.
struct Escape {
    std::int32_t iter = 0;
    double zRe = 0;
    double zIm = 0;
    double zReOld = 0;
};

// Exact: these IEEE double operations in this order, never fused (the build
// forbids contraction). The first step is always taken, so a maxIter below 1
// acts as 1. Inline, so the plain loop pays no call per point.
inline Escape EscapeFrom(double x, double y, double cRe, double cIm, std::int32_t maxIter)
{
    Escape z{0, x, y, x};
    double t = z.zRe * z.zRe;
    do {
        z.zReOld = z.zRe;
        ++z.iter;
        z.zRe = (t - z.zIm * z.zIm) + cRe;
        z.zIm = 2 * (z.zReOld * z.zIm) + cIm;
        t = z.zRe * z.zRe;
    } while (z.zIm * z.zIm + t < 4.0 && z.iter < maxIter);
    return z;
}

}  // namespace quorvana
