// SPDX-License-Identifier: MIT
// What closes a full-screen saver and what does not, input by input.
#include <gtest/gtest.h>

#include "saver/close_rules.h"

namespace quorvana {
namespace {

using namespace std::chrono_literals;
using Button = CloseRules::Button;

TEST(CloseRules, KeysTouchesAndTheThreeButtonsCloseTheWheelAndExtraButtonsDoNot)
{
    const CloseRules rules;
    EXPECT_TRUE(rules.OnKeyPress().Closes());
    EXPECT_TRUE(rules.OnTouch().Closes());
    const struct {
        Button button;
        bool closes;
    } cases[] = {{Button::Primary, true}, {Button::Middle, true}, {Button::Secondary, true}, {Button::Other, false}};
    for (const auto& c : cases) EXPECT_EQ(rules.OnButtonPress(c.button).Closes(), c.closes);
}

TEST(CloseRules, PointerMovesAreMeasuredFromTheFirstReport)
{
    CloseRules rules;
    const struct {
        int x, y;
        bool closes;
    } sequence[] = {
        {-1, -1, false},   // the first report records, wherever it is
        {-1, -1, false},   // a repeat at the same place
        {0, -1, true},     // one pixel in x
        {-1, 0, true},     // one pixel in y
        {-1, -1, false},   // back at the first place
        {300, 200, true},  // anywhere else
    };
    for (const auto& step : sequence)
        EXPECT_EQ(rules.OnPointerAt(step.x, step.y).Closes(), step.closes) << step.x << "," << step.y;
    // Forgotten, the next report records again, wherever it is.
    rules.ForgetFirstPointer();
    EXPECT_FALSE(rules.OnPointerAt(5, 5).Closes());
    EXPECT_TRUE(rules.OnPointerAt(6, 5).Closes());
}

TEST(CloseRules, ALostFocusIsCheckedOnceAfterTheGraceAndClosesOnlyIfStillElsewhere)
{
    const auto t0 = CloseRules::Clock::time_point{} + 1h;
    for (const bool within : {true, false}) {
        CloseRules rules;
        const CloseAnswer first = rules.OnFocusLost(t0);
        EXPECT_FALSE(first.Closes());
        EXPECT_EQ(first.CheckAt(), t0 + CloseRules::kFocusGrace);
        // A second loss before the check keeps the first deadline.
        EXPECT_EQ(rules.OnFocusLost(t0 + 50ms).CheckAt(), t0 + CloseRules::kFocusGrace);
        EXPECT_EQ(rules.OnFocusCheck(within).Closes(), !within) << "focus within the saver: " << within;
        EXPECT_FALSE(rules.OnFocusCheck(within).CheckAt());
        // After a check a new loss waits its own grace.
        EXPECT_EQ(rules.OnFocusLost(t0 + 1s).CheckAt(), t0 + 1s + CloseRules::kFocusGrace);
    }
    EXPECT_FALSE(CloseRules().OnKeyPress().CheckAt());
}

}  // namespace
}  // namespace quorvana
