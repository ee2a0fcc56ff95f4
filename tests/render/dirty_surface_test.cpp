// SPDX-License-Identifier: MIT
// The area a tick or a repaint changed, which is all that goes to the screen.
#include <gtest/gtest.h>

#include <functional>

#include "render/julia_renderer.h"
#include "render/dirty_surface.h"

namespace quorvana {
namespace {

TEST(DirtySurface, CollectsTheBoundingBoxOfWritesWithinTheClip)
{
    PixelStore store(100, 50);
    DirtySurface surface(store);
    const COLORREF row[4] = {1, 2, 3, 4};
    const struct {
        const char* what;
        std::function<void()> write;
        Rect dirty;
    } cases[] = {
        {"nothing", [] {}, Rect{}},
        {"one pixel", [&] { surface.SetPixel(7, 9, 5); }, Rect{7, 9, 8, 10}},
        {"two pixels", [&] { surface.SetPixel(7, 9, 5); surface.SetPixel(2, 30, 5); }, Rect{2, 9, 8, 31}},
        {"outside the store", [&] { surface.SetPixel(100, 0, 5); surface.SetPixel(-1, 3, 5); }, Rect{}},
        {"a row running off the right", [&] { surface.SetRow(98, 4, row, 4); }, Rect{98, 4, 100, 5}},
        {"a row written in place", [&] { surface.WritableRow(3, 6, 10)[0] = 5; }, Rect{3, 6, 13, 7}},
        {"a row not handed out", [&] { EXPECT_EQ(surface.WritableRow(95, 6, 10), nullptr); }, Rect{}},
        {"a fill larger than the store", [&] { surface.FillBlack(Rect{-5, -5, 500, 20}); }, Rect{0, 0, 100, 20}},
        {"outside the clip",
         [&] {
             store.SetClip(Rect{10, 10, 20, 20});
             surface.SetPixel(5, 5, 1);
             surface.FillBlack(Rect{0, 0, 100, 50});
             store.ResetClip();
         },
         Rect{10, 10, 20, 20}},
    };
    for (const auto& c : cases) {
        c.write();
        EXPECT_EQ(surface.TakeDirty(), c.dirty) << c.what;
        EXPECT_TRUE(surface.TakeDirty().IsEmpty()) << c.what << ": taking it clears it";
    }
    // The writes reached the store (the fill covered rows 0 to 19 only).
    EXPECT_EQ(store.GetPixel(2, 30), 5u);
    EXPECT_EQ(store.GetPixel(7, 9), kBlack);
}

// Whatever the renderer writes in a tick lies inside the area reported, so
// presenting only that area leaves the screen equal to the store.
TEST(DirtySurface, EveryChangeOfATickLiesInsideTheReportedArea)
{
    PixelStore store(64, 40);
    DirtySurface surface(store);
    JuliaRenderer renderer(3);
    renderer.RestartPicture(surface);
    EXPECT_EQ(surface.TakeDirty(), store.Bounds());
    PixelStore screen(64, 40);  // what the window shows
    int frameEnds = 0;
    for (int tick = 0; tick < 40 * 4; ++tick) {
        if (renderer.DrawNextRow(surface) != TickOutcome::Row) ++frameEnds;
        const Rect dirty = surface.TakeDirty();
        for (int y = dirty.top; y < dirty.bottom; ++y)
            for (int x = dirty.left; x < dirty.right; ++x) screen.SetPixel(x, y, store.GetPixel(x, y));
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 64; ++x)
                ASSERT_EQ(screen.GetPixel(x, y), store.GetPixel(x, y)) << "tick " << tick << " at " << x << "," << y;
    }
    EXPECT_EQ(frameEnds, 4);
}

}  // namespace
}  // namespace quorvana
