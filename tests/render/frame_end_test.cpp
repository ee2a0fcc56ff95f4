// SPDX-License-Identifier: MIT
// The frame end: detail search, two-fold zoom, marker, random restart, and
// the repaint that ends a picture on a cleared (possibly clipped) surface.
#include <gtest/gtest.h>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/render/test_picture.h"
#include "tests/support/julia_renderer_peer.h"

namespace quorvana {
namespace {

constexpr COLORREF kGreen = MakeRgb(0, 99, 0);

// A finished 640 × 480 picture of −2 … 2 × −1.5 … 1.5 whose best row is 240.
class FrameEnd : public ::testing::Test {
protected:
    JuliaRenderer renderer{1};
    JuliaRendererPeer<JuliaRenderer> state{renderer};
    PixelStore store{640, 480};

    void SetUp() override
    {
        test::RepaintAndSetView(renderer, store, {-2, 2, -1.5, 1.5, 0, 0});
        state.m_bestRow = 240;
        state.m_bestChanges = 10;
    }
    void Stripe(int x, int firstRow, int lastRow) { Stripe(store, x, firstRow, lastRow); }
    static void Stripe(PixelStore& target, int x, int firstRow, int lastRow)
    {
        for (int y = firstRow; y <= lastRow; y += 2) target.SetPixel(x, y, (y / 2) % 2 ? kGreen : kBlack);
    }
    int MarkerPixels() const
    {
        int count = 0;
        for (int y = 0; y < store.Height(); ++y)
            for (int x = 0; x < store.Width(); ++x) count += store.GetPixel(x, y) == JuliaRenderer::kMarkerColour;
        return count;
    }
};

TEST_F(FrameEnd, ZoomsTwoFoldOnTheDetailAndMarksIt)
{
    Stripe(320, 0, 478);
    EXPECT_EQ(renderer.FinishPicture(store), TickOutcome::Zoomed);
    EXPECT_EQ(state.m_reMin, -1.0);
    EXPECT_EQ(state.m_reMax, 1.0);
    EXPECT_EQ(state.m_imMin, -0.75);
    EXPECT_EQ(state.m_imMax, 0.75);

    PixelStore expected{640, 480};
    Stripe(expected, 320, 0, 478);
    JuliaRenderer(1).DrawDottedRect(expected, 160, 120, 480, 360, JuliaRenderer::kMarkerColour);
    EXPECT_EQ(test::PixelsOf(store), test::PixelsOf(expected));
    EXPECT_EQ(store.GetPixel(160, 120), 0x1900u);
    EXPECT_EQ(store.GetPixel(480, 360), 0x1900u);
    EXPECT_EQ(store.GetPixel(160, 121), kBlack);
    EXPECT_EQ(state.m_row, 0);
    EXPECT_EQ(state.m_bestRow, 0);
    EXPECT_EQ(state.m_reStep, 2.0 / 640);
}

TEST_F(FrameEnd, LeftmostOfEqualColumnsWins)
{
    Stripe(500, 0, 478);
    Stripe(200, 0, 478);
    EXPECT_EQ(renderer.FindDetailColumn(store), 200);
}

TEST_F(FrameEnd, ColumnZeroAloneZoomsWithoutMarker)
{
    Stripe(0, 0, 478);
    EXPECT_EQ(renderer.FindDetailColumn(store), 0);
    EXPECT_EQ(renderer.FinishPicture(store), TickOutcome::Zoomed);
    EXPECT_EQ(state.m_reMin, -3.0);  // centred on the left edge
    EXPECT_EQ(state.m_reMax, -1.0);
    EXPECT_EQ(MarkerPixels(), 0);
}

TEST_F(FrameEnd, OnlyTheHalfWindowAroundTheBestRowIsRead)
{
    // h = 120: rows 120 … 358, every second one, are read; row 360 is not.
    Stripe(30, 360, 478);
    Stripe(40, 358, 358);
    store.SetPixel(40, 358, kGreen);
    store.SetPixel(50, 119, kGreen);  // odd rows are never read
    EXPECT_EQ(renderer.FindDetailColumn(store), 40);
}

TEST_F(FrameEnd, ReadsPastTheEdgesCountAsTransitions)
{
    // Best row 2: rows −118 … −2 read 0xFFFFFFFF, rows 0 … 120 are inside.
    // Counting that value as a colour of its own gives column 7 four
    // transitions and the others three or fewer; taken as black, all tie at 2.
    state.m_bestRow = 2;
    for (int y = 0; y <= 118; y += 2) {
        store.SetPixel(5, y, kGreen);
        store.SetPixel(7, y, y == 0 ? kBlack : kGreen);
        store.SetPixel(9, y, y == 118 ? kBlack : kGreen);
    }
    EXPECT_EQ(renderer.FindDetailColumn(store), 7);
}

struct NoDetailCase {
    const char* why;
    int bestRow, bestChanges;
};

TEST_F(FrameEnd, NoUsableDetailChoosesARandomView)
{
    const NoDetailCase cases[] = {
        {"best row 0 even with changes", 0, 50},
        {"no change counted", 240, 0},
        {"best row past the bottom", 480, 50},
    };
    for (const NoDetailCase& c : cases) {
        Stripe(320, 0, 478);
        state.m_bestRow = c.bestRow;
        state.m_bestChanges = c.bestChanges;
        state.m_cRe = 42;
        EXPECT_EQ(renderer.FinishPicture(store), TickOutcome::RandomView) << c.why;
        EXPECT_NE(state.m_cRe, 42) << c.why;
        EXPECT_EQ(MarkerPixels(), 0) << c.why;
    }
}

TEST(FrameEndSmall, WindowUnderEightRowsZoomsOnColumnZero)
{
    JuliaRenderer renderer(3);
    JuliaRendererPeer state(renderer);
    PixelStore store(100, 7);
    test::RepaintAndSetView(renderer, store, {0, 1, 0, 0.07, 0, 0});
    for (int x = 10; x < 100; x += 3) store.SetPixel(x, 2, MakeRgb(0, 11, 0));
    state.m_bestRow = 2;
    state.m_bestChanges = 30;
    EXPECT_EQ(renderer.FinishPicture(store), TickOutcome::Zoomed);
    EXPECT_EQ(state.m_reMin, -0.25);
    EXPECT_EQ(state.m_reMax, 0.25);
    for (int x = 0; x < 100; ++x) EXPECT_NE(store.GetPixel(x, 0), JuliaRenderer::kMarkerColour);
}

TEST_F(FrameEnd, MarkerBeyondTheWindowIsCutOff)
{
    state.m_bestRow = 20;
    Stripe(630, 0, 478);
    renderer.FinishPicture(store);
    // top = 20 − 120 → −100, left = 630 − 160 = 470, right = 790: only the
    // top-left part of the frame is inside.
    EXPECT_EQ(store.GetPixel(470, 0), 0x1900u);
    EXPECT_EQ(store.GetPixel(470, 2), 0x1900u);
    EXPECT_EQ(store.GetPixel(470, 1), kBlack);
    EXPECT_EQ(store.GetPixel(639, 140), 0x1900u);  // bottom edge, row 20 + 120
}

TEST(RepaintMidPicture, FullClipZoomsOnTheLeftEdgeWithoutMarker)
{
    JuliaRenderer renderer(9);
    JuliaRendererPeer state(renderer);
    PixelStore store(64, 48);
    test::RepaintAndSetView(renderer, store, {-2, 2, -1.5, 1.5, -0.8, 0.156});
    while (renderer.Row() < 30) renderer.DrawNextRow(store);
    ASSERT_GT(state.m_bestRow, 0);
    const int bestRow = state.m_bestRow;

    EXPECT_EQ(renderer.RestartPicture(store), TickOutcome::Zoomed);
    const double im = -1.5 + (3.0 * bestRow) / 48;
    const double p = (2.0 / (64.0 / 48.0)) * 0.5;  // the new real span over the aspect ratio, halved
    EXPECT_EQ(state.m_reMin, -2.0 - 1.0);
    EXPECT_EQ(state.m_reMax, -2.0 + 1.0);
    EXPECT_EQ(state.m_imMin, im - p);
    EXPECT_EQ(state.m_imMax, im + p);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(store.GetPixel(x, y), kBlack) << x << "," << y;
}

TEST(RepaintMidPicture, PartialClipFindsTheClearedArea)
{
    // Only (100, 50) – (200, 150) is repainted: the columns inside it read
    // black there and 0xFFFFFFFF elsewhere, three transitions against one
    // outside, so the leftmost column of the clip wins.
    JuliaRenderer renderer(9);
    JuliaRendererPeer state(renderer);
    PixelStore store(640, 480);
    test::RepaintAndSetView(renderer, store, {-2, 2, -1.5, 1.5, -0.8, 0.156});
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) store.SetPixel(x, y, MakeRgb(0, 33, 0));
    state.m_row = 301;
    state.m_bestRow = 100;
    state.m_bestChanges = 12;

    store.SetClip({100, 50, 200, 150});
    EXPECT_EQ(renderer.RestartPicture(store), TickOutcome::Zoomed);
    EXPECT_EQ(state.m_reMin, -2.0 + (100 * 4.0) / 640 - 1.0);
    store.ResetClip();
    EXPECT_EQ(store.GetPixel(100, 50), kBlack);
    EXPECT_EQ(store.GetPixel(199, 149), kBlack);
    EXPECT_EQ(store.GetPixel(99, 50), MakeRgb(0, 33, 0));   // outside the clip: untouched
    EXPECT_EQ(store.GetPixel(100, 150), MakeRgb(0, 33, 0));
}

TEST(RepaintMidPicture, ShorterWindowThanTheBestRowRestartsAtRandom)
{
    JuliaRenderer renderer(9);
    JuliaRendererPeer state(renderer);
    PixelStore tall(64, 480);
    test::RepaintAndSetView(renderer, tall, {-2, 2, -1.5, 1.5, -0.8, 0.156});
    state.m_bestRow = 300;
    state.m_bestChanges = 5;
    PixelStore shorter(64, 200);
    EXPECT_EQ(renderer.RestartPicture(shorter), TickOutcome::RandomView);
    EXPECT_EQ(state.m_height, 200);
}

}  // namespace
}  // namespace quorvana
