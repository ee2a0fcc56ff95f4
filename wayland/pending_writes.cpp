// SPDX-License-Identifier: MIT
#include "wayland/pending_writes.h"

#include <algorithm>

namespace quorvana {

void PendingWrites::Add(int x, int y, const COLORREF* colours, int count)
{
    if (count <= 0) return;
    m_top = m_runs.empty() ? y : std::min(m_top, y);
    m_bottom = m_runs.empty() ? y + 1 : std::max(m_bottom, y + 1);
    // A run that continues the last one (a line drawn pixel by pixel) grows it.
    if (!m_runs.empty() && m_runs.back().y == y && m_runs.back().x + m_runs.back().count == x)
        m_runs.back().count += count;
    else
        m_runs.push_back(Run{x, y, m_colours.size(), count});
    m_colours.insert(m_colours.end(), colours, colours + count);
}

std::optional<COLORREF> PendingWrites::PixelAt(int x, int y) const
{
    for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run)
        if (run->y == y && x >= run->x && x < run->x + run->count) return m_colours[run->first + (x - run->x)];
    return std::nullopt;
}

void PendingWrites::ApplyTo(COLORREF* pixels, int stride)
{
    for (const Run& run : m_runs)
        std::copy_n(m_colours.begin() + static_cast<std::ptrdiff_t>(run.first), run.count,
                    pixels + static_cast<std::ptrdiff_t>(run.y) * stride + run.x);
    m_runs.clear();
    m_colours.clear();
}

}  // namespace quorvana
