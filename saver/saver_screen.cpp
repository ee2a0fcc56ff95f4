// SPDX-License-Identifier: MIT
#include "saver/saver_screen.h"

namespace quorvana {

void SaverScreen::Reshape(Surface& area)
{
    m_renderer.RestartPicture(area);
    m_started = true;
}

void SaverScreen::Draw(Surface& surface)
{
    if (m_renderer.DrawNextRow(surface) != TickOutcome::Row) ++m_finishedPictures;
}

}  // namespace quorvana
