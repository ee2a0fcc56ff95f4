// SPDX-License-Identifier: MIT
// The pace of a fractal window: one row per tick at the period of
// saver/tick_period.h, for the Linux front ends' loops (X11's, Wayland's).
// The timer keeps an absolute deadline so a loop can block on its display's
// connection exactly until the next tick is due; a tick that comes late does
// not cause a burst of catch-up ticks afterwards.
#pragma once

#include <chrono>
#include <optional>

#include "saver/tick_period.h"

namespace quorvana {

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
    // When the next tick is due; none when not running.
    std::optional<Clock::time_point> Deadline() const
    {
        return m_running ? std::optional(m_deadline) : std::nullopt;
    }

private:
    Clock::duration m_period;
    Clock::time_point m_deadline{};
    bool m_running = false;
};

}  // namespace quorvana
