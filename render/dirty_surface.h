// SPDX-License-Identifier: MIT
// A surface that passes every operation on to a pixel store and remembers
// the bounding box of what was written since it was last asked: the rows a
// tick drew, the marker of a frame end, the area a repaint cleared. A window
// presents just that box to the screen.
#pragma once

#include "render/pixel_store.h"

namespace quorvana {

class DirtySurface final : public Surface {
public:
    explicit DirtySurface(PixelStore& store) : m_store(store) {}

    // The written area since the last call, within the store; empty if none.
    Rect TakeDirty();

    void SetPixel(int x, int y, COLORREF colour) override;
    COLORREF GetPixel(int x, int y) const override { return m_store.GetPixel(x, y); }
    void FillBlack(const Rect& rect) override;
    Rect ClientRect() const override { return m_store.ClientRect(); }
    void SetRow(int x, int y, const COLORREF* colours, int count) override;
    void GetRow(int x, int y, COLORREF* colours, int count) const override { m_store.GetRow(x, y, colours, count); }
    // The store's own memory, so rows are written and read in place; a span
    // handed out for writing counts as written.
    COLORREF* WritableRow(int x, int y, int count) override;
    const COLORREF* ReadableRow(int x, int y, int count) const override { return m_store.ReadableRow(x, y, count); }

private:
    void Mark(const Rect& rect);

    PixelStore& m_store;
    Rect m_dirty;
};

}  // namespace quorvana
