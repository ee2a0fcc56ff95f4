// SPDX-License-Identifier: MIT
#include "saver/tick_timer.h"

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

}  // namespace quorvana
