// SPDX-License-Identifier: MIT
// Rows drawn whole: the row step without its odd-row rule and frame end.
#include "render/julia_renderer.h"

namespace quorvana {

void JuliaRenderer::DrawWholeRow(Surface& surface)
{
    if (m_row >= m_height) return;
    m_col = 0;
    m_curRe = m_reMin;
    if (m_width > 0) {
        if (m_rowKernel)
            DrawRowWithKernel(surface, *m_rowKernel);
        else
            DrawRowPlain(surface);
    }
    m_curIm += m_imStep;  // accumulated as the ticks do: the same bits row by row
    ++m_row;
}

}  // namespace quorvana
