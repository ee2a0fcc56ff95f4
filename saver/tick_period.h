// SPDX-License-Identifier: MIT
// The pace of a fractal window: one row per tick, every 500 − 5 × speed ms
// (SpeedPeriodMs, the one rule). Speeds 0 … 100 are the only ones the
// command lines and the settings dialog give; only a hand-edited registry
// holds others. Each platform's timer then takes the rule's value through
// one of two clamps:
//   TickPeriodMs     the Linux savers and the exporter's recordings: kept
//                    between 10 and 500 ms whatever the speed;
//   SetTimerPeriodMs the Windows timer, as SetTimer itself takes a period:
//                    at least 10 ms, and a negative period (a speed over
//                    100) or one past its longest becomes its longest,
//                    about 24 days.
// For speeds 0 … 100 the two agree.
#pragma once

#include <cstdint>

namespace quorvana {

inline constexpr int kMinTickMs = 10;       // the shortest either timer keeps (USER_TIMER_MINIMUM)
inline constexpr int kSlowestSpeedMs = 500;  // speed 0
inline constexpr std::uint32_t kSetTimerLongestMs = 0x7FFFFFFF;  // USER_TIMER_MAXIMUM

// In 64 bits, so that no speed overflows.
constexpr long long SpeedPeriodMs(int speed) { return kSlowestSpeedMs - 5 * static_cast<long long>(speed); }

constexpr int TickPeriodMs(int speed)
{
    const long long period = SpeedPeriodMs(speed);
    if (period < kMinTickMs) return kMinTickMs;
    if (period > kSlowestSpeedMs) return kSlowestSpeedMs;  // negative speeds count as 0
    return static_cast<int>(period);
}

constexpr std::uint32_t SetTimerPeriodMs(int speed)
{
    const long long period = SpeedPeriodMs(speed);
    if (period < 0 || period > kSetTimerLongestMs) return kSetTimerLongestMs;
    if (period < kMinTickMs) return kMinTickMs;
    return static_cast<std::uint32_t>(period);
}

}  // namespace quorvana
