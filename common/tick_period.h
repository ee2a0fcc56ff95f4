// SPDX-License-Identifier: MIT
// The pace of a fractal window: one row per tick, every 500 − 5 × speed ms
// with a floor of 10 ms. The X11 saver ticks at this pace and the
// exporter's recordings play at it. For speeds 0 … 100, the only ones the
// command lines take, it is the Windows saver's timer period too
// (wnd/timer_period.h). Outside that range, which only a hand-edited
// registry holds, the two part: Windows hands 500 − 5 × speed to SetTimer,
// so a negative speed ticks slower than every 500 ms and a speed over 100
// makes a negative period that SetTimer takes as its longest, about 24 days;
// here every speed keeps between 10 and 500 ms.
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
