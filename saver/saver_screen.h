// SPDX-License-Identifier: MIT
// The saver on one screen: a window over a monitor, an output's surface, a
// preview. It owns the screen's renderer and counts the pictures it has
// finished; its host calls Reshape on every repaint or new size and Draw at
// every tick (saver_core.h says when). The same class serves every front
// end, so a picture is drawn the same way on each.
#pragma once

#include <cstdint>

#include "render/julia_renderer.h"
#include "render/shown_picture.h"
#include "render/surface.h"

namespace quorvana {

class SaverScreen {
public:
    explicit SaverScreen(std::uint32_t seed) : m_renderer(seed) {}

    // A repaint or a new size: clears `area` (the surface clipped to what is
    // repainted), takes the surface's size and starts a new picture.
    void Reshape(Surface& area);
    // One tick: the next row, or the frame end after the last row.
    TickOutcome Draw(Surface& surface);
    // The views before and after the last tick: a frame end's zoom.
    const ZoomStep& LastViews() const { return m_lastViews; }

    // Whether a picture has begun: ticks before it would draw at no size.
    bool Started() const { return m_started; }
    int FinishedPictures() const { return m_finishedPictures; }
    // The row the next tick draws.
    int Row() const { return m_renderer.Row(); }
    const JuliaRenderer& Renderer() const { return m_renderer; }

private:
    JuliaRenderer m_renderer;
    bool m_started = false;
    int m_finishedPictures = 0;
    ZoomStep m_lastViews{};
};

}  // namespace quorvana
