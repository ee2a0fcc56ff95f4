// SPDX-License-Identifier: MIT
// The benchmark rows: one 1920-pixel row each of four views of increasing
// cost, with x accumulated by the renderer's own pass.
#pragma once

#include <cstdint>
#include <vector>

#include "render/escape_kernel.h"

namespace quorvana::bench {

struct BenchRow {
    const char* name;
    double cRe, cIm;
    double reMin, reMax;  // the row spans these, 1920 pixels
    double y;
};

// fast: few steps per point; mixed: a dendrite-like set; deep: about a
// quarter of the points at the limit; limit: nearly every point at 512.
inline constexpr BenchRow kBenchRows[] = {
    {"fast", 0.4, 0.35, -2.0, 2.0, 0.0},
    {"mixed", -0.8, 0.156, -2.0, 2.0, 0.1},
    {"deep", -0.123, 0.745, -1.6, 1.6, 0.2},
    {"limit", -0.123, 0.745, -0.15, 0.15, 0.0},
};
inline constexpr int kBenchRowWidth = 1920;

inline std::vector<double> BenchRowRe(const BenchRow& row)
{
    std::vector<double> xs(kBenchRowWidth);
    AccumulateRowScalar(row.reMin, (row.reMax - row.reMin) / kBenchRowWidth, kBenchRowWidth, xs.data());
    return xs;
}

}  // namespace quorvana::bench
