// SPDX-License-Identifier: MIT
// Empty client areas and ticks before the first repaint: nothing may turn
// an infinite or undefined quotient into an integer (the sanitizer build
// checks that), the window stays black, and a later real repaint starts
// normal pictures.
#include <gtest/gtest.h>

#include <cmath>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/render/test_picture.h"
#include "tests/support/julia_renderer_peer.h"

namespace quorvana {
namespace {

bool AllBlack(const PixelStore& store)
{
    for (int y = 0; y < store.Height(); ++y)
        for (int x = 0; x < store.Width(); ++x)
            if (store.GetPixel(x, y) != kBlack) return false;
    return true;
}

TEST(EmptyWindow, TicksBeforeTheFirstRepaintDrawNothing)
{
    JuliaRenderer renderer(4);
    PixelStore window(40, 30);
    for (int tick = 0; tick < 10; ++tick) renderer.DrawNextRow(window);
    EXPECT_TRUE(AllBlack(window));
    EXPECT_EQ(renderer.CurrentView().imMin, 0.0);  // the zero-sized view: a = 0
    renderer.RestartPicture(window);
    test::FinishOnePicture(renderer, window);
    EXPECT_FALSE(AllBlack(window));
}

struct EmptySize {
    int width, height;
};

TEST(EmptyWindow, ZeroSizedRepaintsThenARealOne)
{
    const EmptySize sizes[] = {{0, 0}, {0, 480}, {640, 0}};
    for (const EmptySize& size : sizes) {
        JuliaRenderer renderer(11);
        PixelStore empty(size.width, size.height);
        renderer.RestartPicture(empty);
        for (int picture = 0; picture < 3; ++picture)
            EXPECT_EQ(test::FinishOnePicture(renderer, empty), TickOutcome::RandomView)
                << size.width << "x" << size.height;
        const View view = renderer.CurrentView();
        EXPECT_TRUE(std::isfinite(view.imMin));
        EXPECT_EQ(view.imMax, -view.imMin);

        PixelStore window(48, 36);
        renderer.RestartPicture(window);
        test::FinishOnePicture(renderer, window);
        EXPECT_FALSE(AllBlack(window));
        EXPECT_EQ(renderer.Row(), 0);
    }
}

TEST(EmptyWindow, TinyWindowsRunWholePictures)
{
    const EmptySize sizes[] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 8}};
    for (const EmptySize& size : sizes) {
        JuliaRenderer renderer(21);
        PixelStore window(size.width, size.height);
        renderer.RestartPicture(window);
        for (int picture = 0; picture < 20; ++picture) test::FinishOnePicture(renderer, window);
        EXPECT_EQ(renderer.Row(), 0) << size.width << "x" << size.height;
        EXPECT_EQ(JuliaRendererPeer(renderer).m_width, size.width);
    }
}

}  // namespace
}  // namespace quorvana
