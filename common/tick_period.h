// SPDX-License-Identifier: MIT
// The pace of a fractal window: one row per tick, every 500 − 5 × speed ms
// with a floor of 10 ms, the Windows saver's timer rule. The X11 saver ticks
// at this pace and the exporter's recordings play at it.
#pragma once

namespace quorvana {

inline constexpr int kMinTickMs = 10;

// Computed in 64 bits, so that no speed overflows.
constexpr int TickPeriodMs(int speed)
{
    const long long period = 500 - 5 * static_cast<long long>(speed);
    if (period < kMinTickMs) return kMinTickMs;
    if (period > 500) return 500;  // negative speeds count as 0
    return static_cast<int>(period);
}

}  // namespace quorvana
