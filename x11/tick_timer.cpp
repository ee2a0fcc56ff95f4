// SPDX-License-Identifier: MIT
#include "x11/tick_timer.h"

namespace quorvana {

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
    if (!m_running) return -1;
    if (now >= m_deadline) return 0;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_deadline - now);
    return static_cast<int>(left.count());
}

}  // namespace quorvana
