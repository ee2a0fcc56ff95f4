// Test helpers: a renderer whose window geometry is set by a first repaint
// of a store of the given size, with a view and c chosen by the test.
#pragma once

#include <cstdint>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"

namespace quorvana::test {

struct View {
    double reMin, reMax, imMin, imMax, cRe, cIm;
};

inline void RepaintAndSetView(JuliaRenderer& renderer, PixelStore& store, const View& view)
{
    renderer.RestartPicture(store);
    renderer.m_reMin = view.reMin;
    renderer.m_reMax = view.reMax;
    renderer.m_imMin = view.imMin;
    renderer.m_imMax = view.imMax;
    renderer.m_cRe = view.cRe;
    renderer.m_cIm = view.cIm;
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

// FNV-1a over the pixels, for comparing whole pictures.
inline std::uint64_t PictureHash(const PixelStore& store)
{
    std::uint64_t hash = 1469598103934665603ull;
    for (int y = 0; y < store.Height(); ++y)
        for (int x = 0; x < store.Width(); ++x) {
            for (int shift = 0; shift < 32; shift += 8) {
                hash ^= (store.Row(y)[x] >> shift) & 0xFF;
                hash *= 1099511628211ull;
            }
        }
    return hash;
}

}  // namespace quorvana::test
