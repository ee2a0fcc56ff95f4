// SPDX-License-Identifier: MIT
// The monitors a saver covers, what a change of their layout asks, and their seeds.
#include <algorithm>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "saver/monitor_layout.h"
#include "saver/monitor_seed.h"

namespace quorvana {
namespace {

const Rect kScreen{0, 0, 3840, 1080};
const Rect kLeft{0, 0, 1920, 1080}, kRight{1920, 0, 3840, 1080};

TEST(MonitorLayout, CoverableMonitorsAreClippedDistinctAndPrimaryFirst)
{
    const struct {
        std::vector<Rect> listed;
        std::optional<std::size_t> primary;
        std::vector<Rect> covered;
    } cases[] = {
        {{kLeft, kRight}, std::nullopt, {kLeft, kRight}},
        {{kLeft, kRight}, 1, {kRight, kLeft}},
        {{kLeft, kLeft, kRight}, std::nullopt, {kLeft, kRight}},             // mirrored
        {{Rect{-100, 0, 1920, 1080}}, std::nullopt, {kLeft}},                // clipped to the screen
        {{Rect{4000, 0, 5000, 100}, kRight}, 0, {kRight}},                   // off the screen
        {{}, std::nullopt, {kScreen}},                                       // nothing listed
        {{kLeft}, 7, {kLeft}},                                               // a primary not listed
    };
    for (const auto& c : cases) EXPECT_EQ(CoverableMonitors(c.listed, c.primary, kScreen), c.covered);
    EXPECT_EQ(MonitorIndexAt({kLeft, kRight}, 1920, 5), 1u);
    EXPECT_EQ(MonitorIndexAt({kLeft, kRight}, -5, 5), 0u);  // none holds it: the primary
}

TEST(MonitorLayout, AChangeClosesTheWindowsOfMonitorsGoneAndOpensOneOnEachNewMonitor)
{
    const Rect left{-1280, 0, 0, 1024}, rightScaled{1920, 0, 5760, 2160};
    const struct {
        std::vector<Rect> covered, monitors;
        std::vector<std::size_t> close;
        std::vector<Rect> open;
    } cases[] = {
        {{}, {kRight}, {}, {kRight}},
        {{kRight}, {kRight}, {}, {}},
        {{kRight}, {}, {0}, {}},
        {{kRight}, {left, kRight}, {}, {left}},
        {{kRight, left}, {left}, {0}, {}},
        {{kRight}, {rightScaled}, {0}, {rightScaled}},
        {{kRight, kRight}, {kRight}, {1}, {}},
        {{kRight}, {kRight, kRight}, {}, {kRight}},
    };
    for (const auto& c : cases) {
        const LayoutChange change = DiffLayout(c.covered, c.monitors);
        EXPECT_EQ(change.close, c.close) << "case " << &c - cases;
        EXPECT_EQ(change.open, c.open) << "case " << &c - cases;
        // Applied, the windows kept and those opened cover the monitors, one each.
        std::vector<Rect> covers = c.covered, closed;
        DropClosed(covers, change, [&](const Rect& gone) { closed.push_back(gone); });
        ASSERT_EQ(closed.size(), c.close.size());
        for (std::size_t i = 0; i < c.close.size(); ++i) EXPECT_EQ(closed[i], c.covered[c.close[i]]);
        covers.insert(covers.end(), change.open.begin(), change.open.end());
        const auto sorted = [](std::vector<Rect> rects) {
            std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) {
                return std::tie(a.left, a.top, a.right, a.bottom) < std::tie(b.left, b.top, b.right, b.bottom);
            });
            return rects;
        };
        EXPECT_EQ(sorted(covers), sorted(c.monitors)) << "case " << &c - cases;
    }
}

TEST(MonitorSeed, ThePrimaryKeepsTheSeedAndNoTwoMonitorsShareTheLow31Bits)
{
    for (const std::uint32_t seed : {0u, 1u, 0x80000000u, 0xFFFFFFFFu}) {
        EXPECT_EQ(MonitorSeed(seed, 0), seed);
        std::set<std::uint32_t> low;
        for (std::uint32_t monitor = 0; monitor < 64; ++monitor) low.insert(MonitorSeed(seed, monitor) & 0x7FFFFFFFu);
        EXPECT_EQ(low.size(), 64u) << "seed " << seed;
    }
}

}  // namespace
}  // namespace quorvana
