// SPDX-License-Identifier: MIT
// The zoom a user can watch, on a 16 x 16 store whose pixel (x, y) has
// green level 16 x + y, so that each shown pixel names the pixel of the
// finished picture it was taken from. The next view is the middle half of
// the old one: pixels 4 … 12 either way.
#include <gtest/gtest.h>

#include "render/julia_renderer.h"
#include "render/shown_picture.h"

namespace quorvana {
namespace {

constexpr int kSide = 16;
constexpr int kTicks = 8;
const ZoomStep kMiddleHalf{View{0, 16, 0, 16, 0, 0}, View{4, 12, 4, 12, 0, 0}};
const PackedColours kLevels = Theme().Colours();

struct Source {
    int x, y;
};

PixelStore Numbered()
{
    PixelStore store(kSide, kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) store.SetPixel(x, y, MakeRgb(0, static_cast<unsigned>(16 * x + y), 0));
    return store;
}

Source Shown(const ShownPicture& shown, const PixelStore& store, int x, int y)
{
    std::uint32_t row[kSide];
    shown.ShowRow(store, y, 0, kSide, kLevels, row);
    const unsigned level = row[x] >> 8 & 0xFF;
    return {static_cast<int>(level / 16), static_cast<int>(level % 16)};
}

// A store whose rows from `row` on are still the finished picture's.
ShownPicture ZoomedAfter(const PixelStore& store, int ticks, int row, bool fullRows = false)
{
    ShownPicture shown({PictureLook{Theme(), fullRows}, kTicks});
    shown.AfterTick(store, TickOutcome::Zoomed, kMiddleHalf, 0);
    for (int tick = 1; tick <= ticks; ++tick) shown.AfterTick(store, TickOutcome::Row, kMiddleHalf, row);
    return shown;
}

TEST(ShownPicture, TheZoomRunsFromTheFinishedPictureToTheNextViewScaledUp)
{
    const PixelStore store = Numbered();
    // (tick, the frame's left/top edge and its size, in pixels of the old picture)
    const struct {
        int ticks;
        int from, span;
    } frames[] = {{0, 0, 16}, {kTicks / 2, 2, 12}, {kTicks, 4, 8}, {kTicks + 5, 4, 8}};
    for (const auto& frame : frames) {
        const ShownPicture shown = ZoomedAfter(store, frame.ticks, 0);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const Source s = Shown(shown, store, x, y);
                EXPECT_EQ(s.x, frame.from + frame.span * x / kSide) << "tick " << frame.ticks << " x " << x;
                EXPECT_EQ(s.y, frame.from + frame.span * y / kSide) << "tick " << frame.ticks << " y " << y;
            }
        EXPECT_EQ(shown.ChangesAll(), frame.ticks <= kTicks) << frame.ticks;
    }
}

TEST(ShownPicture, TheNextPicturesRowsComeDownOverTheZoom)
{
    const PixelStore store = Numbered();
    for (const bool fullRows : {false, true}) {
        const ShownPicture shown = ZoomedAfter(store, 3, 6, fullRows);
        for (int y = 0; y < kSide; ++y) {
            const bool drawn = (fullRows ? y - y % 2 : y) < 6;
            const Source s = Shown(shown, store, 15, y);
            if (drawn) {
                EXPECT_EQ(s.x, 15) << y;
                EXPECT_EQ(s.y, fullRows ? y - y % 2 : y) << y;
            } else {
                EXPECT_NE(s.x, 15) << "row " << y << " shows the store, not the zoom";
            }
        }
    }
}

TEST(ShownPicture, ARandomViewARepaintOrNoZoomShowTheStore)
{
    const PixelStore store = Numbered();
    ShownPicture random = ZoomedAfter(store, 2, 0);
    random.AfterTick(store, TickOutcome::RandomView, kMiddleHalf, 0);
    ShownPicture repainted = ZoomedAfter(store, 2, 0);
    repainted.Stop();
    ShownPicture none({PictureLook{}, 0});
    none.AfterTick(store, TickOutcome::Zoomed, kMiddleHalf, 0);
    EXPECT_TRUE(none.ShowsStoreAsItIs());
    EXPECT_FALSE(ShownPicture({PictureLook{}, 1}).ShowsStoreAsItIs());
    for (const ShownPicture* shown : {&random, &repainted, &none}) {
        EXPECT_FALSE(shown->ChangesAll());
        for (int y = 0; y < kSide; ++y) {
            const Source s = Shown(*shown, store, 7, y);
            EXPECT_TRUE(s.x == 7 && s.y == y) << y;
        }
        EXPECT_EQ(shown->ShownArea(Rect{0, 2, kSide, 3}, kSide, kSide), (Rect{0, 2, kSide, 3}));
    }
}

TEST(ShownPicture, TheZoomTakesAboutASecondAtEverySpeed)
{
    EXPECT_EQ(ZoomTicks(10), 100);
    EXPECT_EQ(ZoomTicks(495), 3);
    EXPECT_EQ(ZoomTicks(500), 2);
    EXPECT_EQ(ZoomTicks(2000), 1);
}

}  // namespace
}  // namespace quorvana
