// SPDX-License-Identifier: MIT
#include "x11/saver_pace.h"

namespace quorvana {

SaverPace::SaverPace(int speed, int pictures) : m_timer(TickPeriodMs(speed)), m_pictures(pictures) {}

void SaverPace::Begin(const JuliaWindow& window, Clock::time_point now)
{
    if (!m_timer.Running() && window.Started()) m_timer.Start(now);
}

LoopClient::Next SaverPace::Tick(const std::vector<JuliaWindow*>& windows, Clock::time_point now)
{
    if (!m_timer.TakeTick(now)) return LoopClient::Next::Continue;
    for (JuliaWindow* window : windows)
        if (window->Started()) window->Tick();
    const bool enough = m_pictures > 0 && !windows.empty() && windows.front()->FinishedPictures() >= m_pictures;
    return enough ? LoopClient::Next::End : LoopClient::Next::Continue;
}

}  // namespace quorvana
