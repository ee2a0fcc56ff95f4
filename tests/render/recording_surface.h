// SPDX-License-Identifier: MIT
// A surface for tests that records every pixel set, wherever it lands, and
// otherwise behaves as a pixel store of the given size.
#pragma once

#include <set>
#include <utility>

#include "render/pixel_store.h"

namespace quorvana::test {

class RecordingSurface : public Surface {
public:
    RecordingSurface(int width, int height) : m_store(width, height) {}

    void SetPixel(int x, int y, COLORREF colour) override
    {
        m_set.insert({x, y});
        m_store.SetPixel(x, y, colour);
    }
    COLORREF GetPixel(int x, int y) const override { return m_store.GetPixel(x, y); }
    void FillBlack(const Rect& rect) override { m_store.FillBlack(rect); }
    Rect ClientRect() const override { return m_store.ClientRect(); }

    const std::set<std::pair<int, int>>& PixelsSet() const { return m_set; }

private:
    PixelStore m_store;
    std::set<std::pair<int, int>> m_set;
};

}  // namespace quorvana::test
