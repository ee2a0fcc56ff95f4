// SPDX-License-Identifier: MIT
// The escape count, the colours and the row step: one row per tick, even
// rows only, accumulated coordinates, colour changes carried across rows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/render/sequential_sums.h"
#include "tests/render/test_picture.h"
#include "tests/support/julia_renderer_peer.h"

namespace quorvana {
namespace {

struct EscapeCase {
    double cRe, cIm, x, y;
    int expected;
};

TEST(EscapeCount, KnownPoints)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<EscapeCase> cases = {
        {1, 0, 0, 0, 2},       // the sum reaches exactly 4.0 at the second step and ends the loop
        {0, 0, 0, 0, 512},     // never escapes: the limit
        {0, 0, 1, 0, 512},     // stays on the unit circle
        {0, 0, 2, 0, 1},       // the first step is always taken
        {0, 0, 0, 1.2, 2},      // 1.44 + 0 < 4, then 2.0736² > 4
        {0, 0, nan, 0, 1},     // not a number ends the loop
        {0, 0, inf, 0, 1},
        {0, 0, 0, -inf, 1},
    };
    JuliaRenderer renderer(1);
    JuliaRendererPeer state(renderer);
    state.m_maxIter = JuliaRenderer::kMaxIter;
    for (const EscapeCase& c : cases) {
        state.m_cRe = c.cRe;
        state.m_cIm = c.cIm;
        EXPECT_EQ(renderer.EscapeCount(c.x, c.y), c.expected) << c.x << "," << c.y;
        EXPECT_EQ(state.m_iter, c.expected);
    }
}

TEST(EscapeCount, LeavesTheLastStepInTheFields)
{
    JuliaRenderer renderer(1);
    JuliaRendererPeer state(renderer);
    state.m_maxIter = JuliaRenderer::kMaxIter;
    state.m_cRe = 1;
    renderer.EscapeCount(0, 0);  // z: 0 → 1 → 2
    EXPECT_EQ(state.m_zReOld, 1.0);
    EXPECT_EQ(state.m_zRe, 2.0);
    EXPECT_EQ(state.m_zIm, 0.0);
}

TEST(Colours, GreenLevelsAndComparisonValues)
{
    EXPECT_EQ(JuliaRenderer::DrawnColour(2), MakeRgb(0, 22, 0));
    EXPECT_EQ(JuliaRenderer::DrawnColour(256), kBlack);
    EXPECT_EQ(JuliaRenderer::DrawnColour(512), kBlack);
    EXPECT_EQ(JuliaRenderer::ComparisonValue(1), MakeRgb(17, 7, 13));
    EXPECT_EQ(JuliaRenderer::ComparisonValue(1), 0x0D0711u);
    // The comparison value changes exactly when the drawn colour does.
    for (int n = 1; n <= 512; ++n)
        for (int m = 1; m <= 512; ++m)
            ASSERT_EQ(JuliaRenderer::DrawnColour(n) == JuliaRenderer::DrawnColour(m),
                      JuliaRenderer::ComparisonValue(n) == JuliaRenderer::ComparisonValue(m))
                << n << " " << m;
}

TEST(RandomView, AllZeroDrawsOnA640x480Window)
{
    JuliaRenderer renderer(1);
    JuliaRendererPeer state(renderer);
    PixelStore store(640, 480);
    renderer.RestartPicture(store);
    renderer.ChooseRandomView(0, 0, 0, 0);
    EXPECT_EQ(state.m_reMin, -6.0);
    EXPECT_EQ(state.m_reMax, 3.25);
    EXPECT_EQ(state.m_imMin, -3.0);
    EXPECT_EQ(state.m_imMax, 3.0);
    EXPECT_EQ(state.m_cRe, -1.0);
    EXPECT_EQ(state.m_cIm, -1.0);
    renderer.ResetPicture();
    EXPECT_EQ(state.m_reStep, 9.25 / 640);
    EXPECT_EQ(state.m_imStep, 6.0 / 480);
    EXPECT_EQ(state.m_maxIter, 512);
    EXPECT_EQ(state.m_row, 0);
    EXPECT_EQ(state.m_curIm, -3.0);
}

TEST(RandomView, TopDrawsStayJustBelowTheirBounds)
{
    // The scale is the single-precision 1/32767, a hair below the double one.
    JuliaRenderer renderer(1);
    JuliaRendererPeer state(renderer);
    PixelStore store(640, 480);
    renderer.RestartPicture(store);
    renderer.ChooseRandomView(32767, 32767, 32767, 32767);
    EXPECT_LT(state.m_reMin, -3.0);
    EXPECT_LT(state.m_reMax, 6.25);
    EXPECT_LT(state.m_cRe, 1.0);
    EXPECT_GT(state.m_cRe, 0.9999);
    // s = 9 (6.25 − (−3) truncated), a = 9 ÷ 4/3 = 6.75 → 6.
    EXPECT_EQ(state.m_imMax, 3.0);
}

TEST(RandomView, WideWindowGetsAFlatView)
{
    // 1300 × 100: the aspect ratio 13 exceeds any real span, so a = 0 and
    // every drawn row shows the same line.
    JuliaRenderer renderer(5);
    JuliaRendererPeer state(renderer);
    PixelStore store(1300, 100);
    renderer.RestartPicture(store);
    EXPECT_EQ(state.m_imMin, 0.0);
    EXPECT_EQ(state.m_imMax, 0.0);
    EXPECT_EQ(state.m_imStep, 0.0);
    for (int tick = 0; tick < 5; ++tick) renderer.DrawNextRow(store);
    for (int x = 0; x < 1300; ++x) ASSERT_EQ(store.GetPixel(x, 0), store.GetPixel(x, 4)) << x;
}

TEST(RandomView, SameSeedSameSequence)
{
    // The classic generator: seed 1 yields 41, 18467, 6334, 26500.
    CrtRandom random(1);
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);
    EXPECT_EQ(random.Next(), 26500);
}

class RowStep : public ::testing::Test {
protected:
    // A view whose x step is not exact in binary, so accumulation shows.
    const View view{-1.7, 1.3, -1.1, 1.3, -0.8, 0.156};
    JuliaRenderer renderer{1};
    JuliaRendererPeer<JuliaRenderer> state{renderer};
    PixelStore store{60, 40};
    void SetUp() override { test::RepaintAndSetView(renderer, store, view); }
};

TEST_F(RowStep, EvenRowsAreDrawnWithAccumulatedCoordinates)
{
    renderer.DrawNextRow(store);  // row 0
    renderer.DrawNextRow(store);  // row 1: nothing
    const double im2 = (view.imMin + state.m_imStep) + state.m_imStep;
    EXPECT_EQ(state.m_curIm, im2);
    renderer.DrawNextRow(store);  // row 2, at m_imMin + step + step

    JuliaRenderer reference(1);
    JuliaRendererPeer referenceState(reference);
    referenceState.m_maxIter = 512;
    referenceState.m_cRe = view.cRe;
    referenceState.m_cIm = view.cIm;
    const std::vector<double> xs = test::SequentialSums(view.reMin, state.m_reStep, 60);
    for (int col = 0; col < 60; ++col) {
        EXPECT_EQ(store.GetPixel(col, 1), kBlack) << col;
        EXPECT_EQ(store.GetPixel(col, 2), JuliaRenderer::DrawnColour(reference.EscapeCount(xs[col], im2))) << col;
    }
    EXPECT_EQ(state.m_curRe, xs[60]);  // added once after every pixel
    EXPECT_EQ(state.m_col, 60);
    EXPECT_EQ(state.m_row, 3);
}

TEST_F(RowStep, OddRowCountsNothingAndLeavesColumnZero)
{
    renderer.DrawNextRow(store);
    state.m_rowChanges = 99;
    renderer.DrawNextRow(store);
    EXPECT_EQ(state.m_rowChanges, 0);
    EXPECT_EQ(state.m_col, 0);
    EXPECT_EQ(state.m_curRe, view.reMin);
}

TEST_F(RowStep, FirstPixelComparesWithTheLastOneDrawnBefore)
{
    state.m_lastValue = JuliaRenderer::ComparisonValue(1);
    state.m_reMin = 100;  // far outside: every pixel escapes at once
    renderer.ResetPicture();
    renderer.DrawNextRow(store);
    EXPECT_EQ(state.m_rowChanges, 0);

    renderer.DrawNextRow(store);
    state.m_lastValue = kBlack;  // as if the previous row ended elsewhere
    renderer.DrawNextRow(store);
    EXPECT_EQ(state.m_rowChanges, 1);
    EXPECT_EQ(state.m_bestRow, 2);
    EXPECT_EQ(state.m_lastValue, JuliaRenderer::ComparisonValue(1));
}

TEST_F(RowStep, TieKeepsTheEarlierRow)
{
    state.m_reMin = 100;
    renderer.ResetPicture();
    for (int row = 0; row < 8; ++row) {
        state.m_lastValue = kBlack;  // each even row counts exactly one change
        renderer.DrawNextRow(store);
    }
    EXPECT_EQ(state.m_bestChanges, 1);
    EXPECT_EQ(state.m_bestRow, 0);
}

TEST_F(RowStep, PictureEndsAfterItsLastRowWithinTheSameTick)
{
    for (int row = 0; row < 39; ++row) ASSERT_EQ(renderer.DrawNextRow(store), TickOutcome::Row) << row;
    EXPECT_NE(renderer.DrawNextRow(store), TickOutcome::Row);
    EXPECT_EQ(state.m_row, 0);
    EXPECT_EQ(state.m_bestRow, 0);
    EXPECT_EQ(state.m_bestChanges, 0);
}

TEST(Repaint, ClearsAndAlwaysStartsWithARandomView)
{
    for (std::uint32_t seed : {1u, 2u, 77u}) {
        JuliaRenderer renderer(seed);
        JuliaRendererPeer state(renderer);
        PixelStore store(32, 24);
        for (int x = 0; x < 32; ++x) store.SetPixel(x, 5, 0x123456);
        EXPECT_EQ(renderer.RestartPicture(store), TickOutcome::RandomView);
        EXPECT_EQ(state.m_row, 0);
        EXPECT_EQ(state.m_width, 32);
        EXPECT_EQ(state.m_height, 24);
        EXPECT_EQ(state.m_aspect, 32.0 / 24.0);
        EXPECT_EQ(store.GetPixel(3, 5), kBlack);
        EXPECT_EQ(state.m_maxIter, 512);
    }
}


// What front ends and tools read: the view as SetView left it, to the bit,
// the row the next tick draws, back to 0 when a picture ends, and the width
// of the last repaint.
TEST(RendererState, CurrentViewRowAndWidth)
{
    const View views[] = {
        {-2, 2, -1.5, 1.5, -0.8, 0.156},
        {-0.0, 5e-324, -1e300, 1e-300, -0.0, 0.0},
        {0.1 + 0.2, 1.0 / 3, -2.0 / 3, 0.7, 1.5, -1.5},
    };
    JuliaRenderer renderer(7);
    for (const View& view : views) {
        renderer.SetView(view);
        const View read = renderer.CurrentView();
        EXPECT_EQ(std::memcmp(&read, &view, sizeof view), 0) << view.reMin << " .. " << view.reMax;
    }
    EXPECT_EQ(JuliaRendererPeer(renderer).m_width, 0);
    PixelStore window(6, 4);
    EXPECT_EQ(renderer.RestartPicture(window), TickOutcome::RandomView);
    EXPECT_EQ(JuliaRendererPeer(renderer).m_width, 6);
    for (int tick = 1; tick <= 4; ++tick) {
        EXPECT_EQ(renderer.Row(), tick - 1);
        const TickOutcome outcome = renderer.DrawNextRow(window);
        EXPECT_EQ(renderer.Row(), tick < 4 ? tick : 0) << "tick " << tick;
        EXPECT_EQ(outcome == TickOutcome::Row, tick < 4) << "tick " << tick;
    }
}

}  // namespace
}  // namespace quorvana
