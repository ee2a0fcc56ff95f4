// The monitors the full-screen saver covers, from what the server lists.
#include <gtest/gtest.h>

#include "x11/monitors.h"

namespace quorvana {
namespace {

constexpr Rect kScreen{0, 0, 1440, 600};
constexpr Rect kLeft{0, 0, 800, 600};
constexpr Rect kRight{800, 0, 1440, 480};

struct Case {
    const char* what;
    std::vector<Rect> listed;
    std::optional<std::size_t> primary;
    std::vector<Rect> covered;
};

TEST(Monitors, WhatIsCovered)
{
    const Case cases[] = {
        {"nothing listed: the whole screen", {}, std::nullopt, {kScreen}},
        {"two heads, in the order listed", {kLeft, kRight}, std::nullopt, {kLeft, kRight}},
        {"the primary first", {kLeft, kRight}, 1, {kRight, kLeft}},
        {"a mirror is covered once", {kLeft, kRight, kLeft}, std::nullopt, {kLeft, kRight}},
        {"a monitor partly off the screen is clipped", {Rect{1000, 0, 2000, 600}}, std::nullopt, {Rect{1000, 0, 1440, 600}}},
        {"an empty or wholly off-screen monitor is left out",
         {Rect{5, 5, 5, 100}, Rect{2000, 0, 2400, 600}, kRight}, std::nullopt, {kRight}},
        {"only unusable monitors: the whole screen", {Rect{2000, 0, 2400, 600}}, std::nullopt, {kScreen}},
        {"a primary index out of range is no primary", {kLeft, kRight}, 7, {kLeft, kRight}},
    };
    for (const Case& c : cases) EXPECT_EQ(CoverableMonitors(c.listed, c.primary, kScreen), c.covered) << c.what;
}

TEST(Monitors, WhichHoldsAPoint)
{
    const std::vector<Rect> monitors{kRight, kLeft};  // the primary first
    const struct {
        int x, y;
        std::uint32_t index;
    } points[] = {{1000, 100, 0}, {100, 100, 1}, {799, 599, 1}, {800, 0, 0}, {1000, 590, 0}, {-5, 0, 0}};
    for (const auto& p : points) EXPECT_EQ(MonitorIndexAt(monitors, p.x, p.y), p.index) << p.x << "," << p.y;
}

}  // namespace
}  // namespace quorvana
