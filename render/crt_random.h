// SPDX-License-Identifier: MIT
// The classic C-runtime pseudo-random generator, carried by each renderer so
// that a seed gives the same pictures on every platform:
// state = state × 214013 + 2531011 (mod 2³²), result (state >> 16) & 0x7FFF.
#pragma once

#include <cstdint>

namespace quorvana {

class CrtRandom {
public:
    static constexpr int kMax = 0x7FFF;

    explicit CrtRandom(std::uint32_t seed = 1) : m_state(seed) {}

    int Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & kMax);
    }

private:
    std::uint32_t m_state;
};

}  // namespace quorvana
