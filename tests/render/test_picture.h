// SPDX-License-Identifier: MIT
// Test helpers: a renderer whose window geometry is set by a first repaint
// of a store of the given size, with a view and c chosen by the test.
#pragma once

#include <cstdint>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"

namespace quorvana::test {

inline void RepaintAndSetView(JuliaRenderer& renderer, PixelStore& store, const View& view)
{
    renderer.RestartPicture(store);
    renderer.SetView(view);
    renderer.ResetPicture();
}

// Runs ticks until a picture ends and returns how it ended.
inline TickOutcome FinishOnePicture(JuliaRenderer& renderer, Surface& surface)
{
    TickOutcome outcome;
    do outcome = renderer.DrawNextRow(surface);
    while (outcome == TickOutcome::Row);
    return outcome;
}

// Every pixel, row by row, for comparing two stores.
inline std::vector<COLORREF> PixelsOf(const PixelStore& store)
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < store.Height(); ++y) pixels.insert(pixels.end(), store.Row(y), store.Row(y) + store.Width());
    return pixels;
}

}  // namespace quorvana::test
