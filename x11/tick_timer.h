// The pace of a fractal window: one row per tick, every 500 − 5 × speed ms
// with a floor of 10 ms, the same rule as the Windows saver's timer. The
// timer keeps an absolute deadline so the event loop can block on the X
// connection exactly until the next tick is due; a tick that comes late does
// not cause a burst of catch-up ticks afterwards.
#pragma once

#include <chrono>

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

class TickTimer {
public:
    using Clock = std::chrono::steady_clock;

    explicit TickTimer(int periodMs) : m_period(std::chrono::milliseconds(periodMs)) {}

    // Starts ticking: the first tick is due one period from now.
    void Start(Clock::time_point now);
    bool Running() const { return m_running; }

    // True when a tick is due; the deadline then moves on by one period, or
    // to one period from now when the loop has fallen behind.
    bool TakeTick(Clock::time_point now);
    // How long the loop may block: -1 when not running, else the whole
    // milliseconds until the deadline, rounded up.
    int TimeoutMs(Clock::time_point now) const;

private:
    Clock::duration m_period;
    Clock::time_point m_deadline{};
    bool m_running = false;
};

}  // namespace quorvana
