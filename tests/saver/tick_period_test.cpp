// SPDX-License-Identifier: MIT
// The one period rule and its two clamps, speed by speed.
#include <climits>

#include <gtest/gtest.h>

#include "saver/tick_period.h"

namespace quorvana {
namespace {

TEST(TickPeriod, FiveHundredLessFiveTimesSpeedThroughEachPlatformsClamp)
{
    constexpr std::uint32_t longest = kSetTimerLongestMs;
    const struct {
        int speed;
        int linux;            // between 10 and 500
        std::uint32_t timer;  // as SetTimer takes it
    } cases[] = {
        {0, 500, 500},         {1, 495, 495},         {50, 250, 250},         {97, 15, 15},
        {98, 10, 10},          {100, 10, 10},         {-3, 500, 515},         {-20, 500, 600},
        {101, 10, longest},    {150, 10, longest},    {INT_MAX, 10, longest}, {INT_MIN, 500, longest},
        // The slowest speed whose period still fits: 500 + 5 × 429496629 = 2147483645.
        {-429496629, 500, 2147483645u}, {-429496630, 500, longest},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TickPeriodMs(c.speed), c.linux) << "speed " << c.speed;
        EXPECT_EQ(SetTimerPeriodMs(c.speed), c.timer) << "speed " << c.speed;
    }
}

}  // namespace
}  // namespace quorvana
