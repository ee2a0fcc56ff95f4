// SPDX-License-Identifier: MIT
// The pace of the ticks: a deadline that never bursts.
#include <gtest/gtest.h>

#include "saver/tick_timer.h"

namespace quorvana {
namespace {

using namespace std::chrono_literals;

TEST(TickTimer, BlocksForeverUntilStarted)
{
    TickTimer timer(10);
    const auto t0 = TickTimer::Clock::time_point{} + 1h;
    EXPECT_FALSE(timer.Deadline());
    EXPECT_FALSE(timer.TakeTick(t0 + 1h));
}

TEST(TickTimer, TicksOncePerPeriodAndWaitsTheRest)
{
    TickTimer timer(250);
    const auto t0 = TickTimer::Clock::time_point{} + 1h;
    timer.Start(t0);
    EXPECT_EQ(timer.Deadline(), t0 + 250ms);
    EXPECT_FALSE(timer.TakeTick(t0 + 249ms));
    EXPECT_TRUE(timer.TakeTick(t0 + 251ms));
    EXPECT_FALSE(timer.TakeTick(t0 + 251ms));
    EXPECT_EQ(timer.Deadline(), t0 + 500ms);  // the next deadline keeps the phase
    EXPECT_TRUE(timer.TakeTick(t0 + 500ms));
}

TEST(TickTimer, ALateLoopGetsOneTickNotABurst)
{
    TickTimer timer(10);
    const auto t0 = TickTimer::Clock::time_point{} + 1h;
    timer.Start(t0);
    EXPECT_TRUE(timer.TakeTick(t0 + 1s));
    EXPECT_FALSE(timer.TakeTick(t0 + 1s));
    EXPECT_EQ(timer.Deadline(), t0 + 1s + 10ms);
}

}  // namespace
}  // namespace quorvana
