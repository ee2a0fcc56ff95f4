// Test helpers: a renderer whose window geometry is set by a first repaint
// of a store of the given size, with a view and c chosen by the test.
#pragma once

#include <cstdint>

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

}  // namespace quorvana::test
