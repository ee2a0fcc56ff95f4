// SPDX-License-Identifier: MIT
// The frame end on arbitrary pixel stores: any size, any pixels, any clip,
// any best row and view. The detail search must agree with the plain
// column-by-column search; the zoom, the marker and the state the frame end
// leaves must be what the rules below give, worked out again here in wide
// integers. The dotted lines and rectangles are drawn at any coordinates.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/detail_search_reference.h"
#include "tests/support/julia_renderer_peer.h"

using namespace quorvana;
using fuzz::AnyReal;
using fuzz::SameBits;
using fuzz::SamePixels;

namespace {

// A few colours, so that columns have transitions; sometimes raw values.
COLORREF AnyPixel(FuzzedDataProvider& in)
{
    static constexpr COLORREF kColours[] = {kBlack, 0x1600, 0x2c00, kNoPixel, JuliaRenderer::kMarkerColour};
    const unsigned pick = in.ConsumeIntegralInRange(0u, 5u);
    return pick < 5 ? kColours[pick] : in.ConsumeIntegral<COLORREF>();
}

Rect AnyRect(FuzzedDataProvider& in, int low, int high)
{
    return Rect{in.ConsumeIntegralInRange(low, high), in.ConsumeIntegralInRange(low, high),
                in.ConsumeIntegralInRange(low, high), in.ConsumeIntegralInRange(low, high)};
}

// The dotted line by its rules, pixel by pixel, in 64 bits.
void ReferenceLine(PixelStore& store, long long x1, long long y1, long long x2, long long y2, COLORREF colour)
{
    auto set = [&](long long x, long long y) {
        if (x >= INT_MIN && x <= INT_MAX && y >= INT_MIN && y <= INT_MAX)
            store.SetPixel(static_cast<int>(x), static_cast<int>(y), colour);
    };
    if (y1 == y2) {
        if (y1 % 2 != 0) return;
        for (long long x = std::max(std::min(x1, x2), -1LL); x < std::min(std::max(x1, x2), 1LL << 20); ++x) set(x, y1);
        return;
    }
    for (long long y = std::max(std::min(y1, y2), -2LL); y < std::min(std::max(y1, y2), 1LL << 20); ++y)
        if (y % 2 == 0) set(x1, y);
}

void ReferenceRect(PixelStore& store, long long left, long long top, long long right, long long bottom, COLORREF colour)
{
    ReferenceLine(store, left, top, right, top, colour);
    ReferenceLine(store, left, bottom, right + 1, bottom, colour);
    ReferenceLine(store, left, top, left, bottom, colour);
    ReferenceLine(store, right, top, right, bottom, colour);
}

long long EvenDown(double value) { const auto v = static_cast<long long>(value); return v % 2 != 0 ? v - 1 : v; }
long long EvenUp(double value) { const auto v = static_cast<long long>(value); return v % 2 != 0 ? v + 1 : v; }

void CheckFrameEnd(FuzzedDataProvider& in)
{
    const int width = in.ConsumeIntegralInRange(0, 64), height = in.ConsumeIntegralInRange(0, 64);
    PixelStore store(width, height), expected(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF pixel = AnyPixel(in);
            store.SetPixel(x, y, pixel);
            expected.SetPixel(x, y, pixel);
        }
    const Rect clip = AnyRect(in, -4, 70);
    store.SetClip(clip);
    expected.SetClip(clip);

    JuliaRenderer renderer(in.ConsumeIntegral<std::uint32_t>());
    JuliaRendererPeer state(renderer);
    // The picture's geometry is that of the last repaint: usually the store's.
    state.m_width = in.ConsumeBool() ? width : in.ConsumeIntegralInRange(0, 80);
    state.m_height = in.ConsumeBool() ? height : in.ConsumeIntegralInRange(0, 80);
    state.m_aspect = static_cast<double>(state.m_width) / state.m_height;
    state.m_bestRow = 2 * in.ConsumeIntegralInRange(0, 42);
    state.m_bestChanges = in.ConsumeIntegralInRange(0, 3);
    renderer.SetView(View{AnyReal(in), AnyReal(in), AnyReal(in), AnyReal(in), AnyReal(in), AnyReal(in)});
    const JuliaRenderer copy = renderer;
    const JuliaRendererPeer before(copy);

    const bool detail = state.m_bestRow != 0 && state.m_bestRow < state.m_height && state.m_bestChanges != 0;
    const int column = FindDetailColumnColumnOrder(renderer, store);
    FUZZ_CHECK(renderer.FindDetailColumn(store) == column, "the detail search agrees with the column-by-column one");
    const TickOutcome outcome = renderer.FinishPicture(store);
    FUZZ_CHECK(outcome == (detail ? TickOutcome::Zoomed : TickOutcome::RandomView), "zoom exactly when there is detail");
    FUZZ_CHECK(state.m_row == 0 && state.m_bestRow == 0 && state.m_bestChanges == 0 &&
              state.m_maxIter == JuliaRenderer::kMaxIter,
          "the next picture starts at row 0");
    if (!detail) {
        FUZZ_CHECK(SamePixels(store, expected), "a random view draws nothing");
        return;
    }

    const double span = before.m_reMax - before.m_reMin;
    const double re = before.m_reMin + (column * span) / before.m_width;
    const double im = before.m_imMin + ((before.m_imMax - before.m_imMin) * before.m_bestRow) / before.m_height;
    const double half = span * 0.5;
    const double q = half * 0.5, p = (half / before.m_aspect) * 0.5;
    FUZZ_CHECK(SameBits(state.m_reMin, re - q) && SameBits(state.m_reMax, re + q) &&
              SameBits(state.m_imMin, im - p) && SameBits(state.m_imMax, im + p),
          "the zoom halves the span around the detail point");
    if (column > 0) {
        const double h = before.m_height * 0.25, w = before.m_width * 0.25;
        ReferenceRect(expected, static_cast<long long>(column - w), EvenDown(before.m_bestRow - h),
                      static_cast<long long>(column + w), EvenUp(before.m_bestRow + h), JuliaRenderer::kMarkerColour);
    }
    FUZZ_CHECK(SamePixels(store, expected), "the marker frames the detail and nothing else is drawn");
}

// Lines and rectangles around a small store, in and out of its clip.
void CheckMarkerShapes(FuzzedDataProvider& in)
{
    const int width = in.ConsumeIntegralInRange(0, 40), height = in.ConsumeIntegralInRange(0, 40);
    PixelStore store(width, height), expected(width, height);
    const Rect clip = AnyRect(in, -4, 44);
    store.SetClip(clip);
    expected.SetClip(clip);
    const JuliaRenderer renderer(1);
    while (in.remaining_bytes() > 0) {
        const COLORREF colour = in.ConsumeIntegral<COLORREF>();
        const Rect r = AnyRect(in, -60, 60);
        if (in.ConsumeBool()) {
            renderer.DrawDottedLine(store, r.left, r.top, r.right, r.bottom, colour);
            ReferenceLine(expected, r.left, r.top, r.right, r.bottom, colour);
        } else {
            renderer.DrawDottedRect(store, r.left, r.top, r.right, r.bottom, colour);
            ReferenceRect(expected, r.left, r.top, r.right, r.bottom, colour);
        }
        FUZZ_CHECK(SamePixels(store, expected), "the dotted shapes set just their pixels");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::EitherPart(data, size, CheckFrameEnd, CheckMarkerShapes);
}
