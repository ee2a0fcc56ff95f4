// SPDX-License-Identifier: MIT
#include "render/dirty_surface.h"

#include <algorithm>

namespace quorvana {

Rect DirtySurface::TakeDirty()
{
    const Rect dirty = m_dirty;
    m_dirty = Rect{};
    return dirty;
}

void DirtySurface::Mark(const Rect& rect)
{
    // Only what the store could have changed counts: its clip.
    const Rect r = Intersect(rect, m_store.Clip());
    if (r.IsEmpty()) return;
    if (m_dirty.IsEmpty()) {
        m_dirty = r;
        return;
    }
    m_dirty = Rect{std::min(m_dirty.left, r.left), std::min(m_dirty.top, r.top), std::max(m_dirty.right, r.right),
                   std::max(m_dirty.bottom, r.bottom)};
}

void DirtySurface::SetPixel(int x, int y, COLORREF colour)
{
    m_store.SetPixel(x, y, colour);
    if (m_store.Clip().Contains(x, y)) Mark(Rect{x, y, x + 1, y + 1});
}

void DirtySurface::FillBlack(const Rect& rect)
{
    m_store.FillBlack(rect);
    Mark(rect);
}

void DirtySurface::SetRow(int x, int y, const COLORREF* colours, int count)
{
    m_store.SetRow(x, y, colours, count);
    // A span may run past the surface, even past INT_MAX in x + count; Mark
    // clips it to the store right away, so any right edge beyond every store
    // will do. 2³⁰ is one, and leaves Width() room not to overflow.
    if (count > 0) Mark(Rect{x, y, static_cast<int>(std::min<long long>(static_cast<long long>(x) + count, 1 << 30)), y + 1});
}

COLORREF* DirtySurface::WritableRow(int x, int y, int count)
{
    COLORREF* const row = m_store.WritableRow(x, y, count);
    // Given only for a span wholly inside the clip, so x + count cannot overflow.
    if (row) Mark(Rect{x, y, x + count, y + 1});
    return row;
}

}  // namespace quorvana
