// SPDX-License-Identifier: MIT
#include "saver/tick_timer.h"

namespace quorvana {

int MillisecondsUntil(std::chrono::steady_clock::time_point deadline, std::chrono::steady_clock::time_point now)
{
    if (now >= deadline) return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count());
}

void TickTimer::Start(Clock::time_point now)
{
    m_deadline = now + m_period;
    m_running = true;
}

bool TickTimer::TakeTick(Clock::time_point now)
{
    if (!m_running || now < m_deadline) return false;
    m_deadline += m_period;
    if (m_deadline <= now) m_deadline = now + m_period;
    return true;
}

int TickTimer::TimeoutMs(Clock::time_point now) const
{
    return m_running ? MillisecondsUntil(m_deadline, now) : -1;
}

}  // namespace quorvana
