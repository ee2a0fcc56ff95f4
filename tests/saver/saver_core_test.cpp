// SPDX-License-Identifier: MIT
// What a saver does with its screens over time: seeds, the ticks starting
// with the first picture, the picture count and the end it asks for.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "render/pixel_store.h"
#include "saver/saver_core.h"

namespace quorvana {
namespace {

using namespace std::chrono_literals;

const auto t0 = SaverCore::Clock::time_point{} + 1h;

TEST(SaverCore, ScreensTakeTheSaversSeedFirstThenSeedsNeverUsedBefore)
{
    SaverCore core(100, 1234u, 0);
    std::set<std::uint32_t> seen;
    for (std::uint32_t screen = 0; screen < 8; ++screen) {
        const std::uint32_t seed = core.NextScreenSeed();
        EXPECT_EQ(seed, core.SeedOfMonitor(screen)) << "the screen made n-th draws monitor n's pictures";
        EXPECT_TRUE(seen.insert(seed).second) << "screen " << screen;
    }
    EXPECT_EQ(*seen.find(1234u), 1234u);
}

TEST(SaverCore, TicksBeginWithTheFirstPictureOfAnyScreen)
{
    SaverCore core(100, 1u, 0);  // speed 100: 10 ms
    SaverScreen waiting(core.NextScreenSeed());
    SaverScreen drawn(core.NextScreenSeed());
    core.Begin(waiting, t0);
    EXPECT_FALSE(core.NextTick()) << "no picture yet, no tick";
    EXPECT_FALSE(core.TakeTick(t0 + 1s));
    PixelStore store(16, 12);
    drawn.Reshape(store);
    core.Begin(drawn, t0 + 2s);
    EXPECT_EQ(core.NextTick(), t0 + 2s + 10ms);
    core.Begin(drawn, t0 + 3s);  // a later repaint does not move the pace
    EXPECT_EQ(core.NextTick(), t0 + 2s + 10ms);
    EXPECT_TRUE(core.TakeTick(t0 + 2s + 10ms));
}

// A picture finishes at the tick that finds no row left: the count goes up
// exactly when the row comes back to 0, whatever the size.
TEST(SaverScreen, CountsAPictureEachTimeItsRowsStartOver)
{
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{16, 12}, {7, 1}, {33, 20}}) {
        SaverScreen screen(99u);
        PixelStore store(width, height);
        EXPECT_FALSE(screen.Started());
        screen.Reshape(store);
        EXPECT_TRUE(screen.Started());
        EXPECT_EQ(screen.FinishedPictures(), 0) << "a repaint's frame end is not a finished picture";
        int restarts = 0;
        for (int tick = 0; tick < 5 * (height + 1); ++tick) {
            screen.Draw(store);
            if (screen.Row() == 0) ++restarts;
        }
        EXPECT_EQ(screen.FinishedPictures(), restarts) << width << "x" << height;
        EXPECT_GE(restarts, 4);
    }
}

TEST(SaverCore, IsOverOnceTheFirstScreenHasFinishedThePicturesAskedFor)
{
    PixelStore store(8, 6);
    SaverScreen first(5u);
    first.Reshape(store);
    const SaverCore unlimited(100, 5u, 0);
    const SaverCore two(100, 5u, 2);
    EXPECT_FALSE(two.Over(nullptr)) << "no screen now: not over";
    while (first.FinishedPictures() < 2) {
        EXPECT_FALSE(two.Over(&first));
        first.Draw(store);
    }
    EXPECT_TRUE(two.Over(&first));
    EXPECT_FALSE(unlimited.Over(&first));
}

}  // namespace
}  // namespace quorvana
