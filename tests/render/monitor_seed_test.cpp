// The seeds of a saver's monitors: the primary keeps the saver's seed, and
// monitors of one size never start with the same picture, whatever the seed.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "render/julia_renderer.h"
#include "render/monitor_seed.h"
#include "render/pixel_store.h"

namespace quorvana {
namespace {

constexpr std::uint32_t kSaverSeeds[] = {0, 1, 2024, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
constexpr std::uint32_t kMonitors = 8;

TEST(MonitorSeed, ThePrimaryKeepsTheSaversSeed)
{
    for (std::uint32_t seed : kSaverSeeds) EXPECT_EQ(MonitorSeed(seed, 0), seed);
}

TEST(MonitorSeed, MonitorsOfOneSizeStartWithPicturesOfTheirOwn)
{
    for (std::uint32_t seed : kSaverSeeds) {
        std::set<std::uint32_t> drawnBits;  // bit 31 never reaches a draw
        std::set<std::tuple<double, double, double, double>> firstViews;
        for (std::uint32_t monitor = 0; monitor < kMonitors; ++monitor) {
            drawnBits.insert(MonitorSeed(seed, monitor) & 0x7FFFFFFF);
            JuliaRenderer renderer(MonitorSeed(seed, monitor));
            PixelStore window(64, 48);
            renderer.RestartPicture(window);
            firstViews.emplace(renderer.m_reMin, renderer.m_imMin, renderer.m_cRe, renderer.m_cIm);
        }
        EXPECT_EQ(drawnBits.size(), kMonitors) << "seed " << seed;
        EXPECT_EQ(firstViews.size(), kMonitors) << "seed " << seed;
    }
}

}  // namespace
}  // namespace quorvana
