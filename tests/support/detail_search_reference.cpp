// SPDX-License-Identifier: MIT
#include "tests/support/detail_search_reference.h"

#include "tests/support/julia_renderer_peer.h"

namespace quorvana {

int FindDetailColumnColumnOrder(const JuliaRenderer& renderer, const Surface& surface)
{
    const JuliaRendererPeer state(renderer);
    // The band's half height, written out again here rather than shared, so
    // that the reference does not inherit a fault of the product's code.
    std::int32_t h = static_cast<std::int32_t>(state.m_height * 0.25);
    if (h % 2 != 0) --h;
    int detailColumn = 0;
    int bestTransitions = 0;
    for (int x = 0; x < state.m_width; ++x) {
        int transitions = 0;
        COLORREF previous = kBlack;  // so a column's first non-black pixel counts
        for (int k = -h; k < h; k += 2) {
            const COLORREF pixel = surface.GetPixel(x, state.m_bestRow + k);
            if (pixel != previous) {
                ++transitions;
                previous = pixel;
            }
        }
        if (transitions > bestTransitions) {  // the leftmost of equal columns wins
            detailColumn = x;
            bestTransitions = transitions;
        }
    }
    return detailColumn;
}

}  // namespace quorvana
