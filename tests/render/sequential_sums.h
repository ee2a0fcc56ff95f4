// SPDX-License-Identifier: MIT
// The x coordinates of a row as the plain loop steps them, for the tests
// that compare a row, or the passes that form one, against that loop.
#pragma once

#include <cstddef>
#include <vector>

namespace quorvana::test {

// x0, x0 + step, (x0 + step) + step, …: count + 1 values, the last one a
// step past the row, as m_curRe ends. Each sum is rounded through memory
// before the next, so no compiler setting can keep it wider.
inline std::vector<double> SequentialSums(double x0, double step, int count)
{
    std::vector<double> xs(static_cast<std::size_t>(count) + 1);
    volatile double x = x0;
    for (double& v : xs) {
        v = x;
        x = x + step;
    }
    return xs;
}

}  // namespace quorvana::test
