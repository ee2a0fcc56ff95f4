// SPDX-License-Identifier: MIT
#include "saver/saver_screen.h"

namespace quorvana {

void SaverScreen::Reshape(Surface& area)
{
    m_renderer.RestartPicture(area);
    m_started = true;
}

TickOutcome SaverScreen::Draw(Surface& surface)
{
    m_lastViews.from = m_renderer.CurrentView();
    const TickOutcome outcome = m_renderer.DrawNextRow(surface);
    m_lastViews.to = m_renderer.CurrentView();
    if (outcome != TickOutcome::Row) ++m_finishedPictures;
    return outcome;
}

}  // namespace quorvana
