// SPDX-License-Identifier: MIT
// What closes a full-screen saver and what does not, input by input.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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
    const auto now = CloseRules::Clock::time_point{} + 1h;
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
        EXPECT_EQ(rules.OnPointerAt(step.x, step.y, now).Closes(), step.closes) << step.x << "," << step.y;
}

// The first pointer's policy, whatever the platform gives of it: the place
// at the start, a time until which reports only record, a layout change.
TEST(CloseRules, TheFirstPointerIsThePlaceAtTheStartOrTheLastReportBeforeItSettles)
{
    const auto t0 = CloseRules::Clock::time_point{} + 1h;
    enum class Step { Start, SettlesUntil1s, LayoutChanged, Report };
    const struct {
        const char* what;
        std::vector<std::tuple<Step, int, CloseRules::Clock::duration, bool>> steps;  // step, x, at, closes
    } cases[] = {
        {"the place at the start is the first report",
         {{Step::Start, 10, 0ms, false}, {Step::Report, 10, 0ms, false}, {Step::Report, 11, 0ms, true}}},
        {"a move merged into the first report still closes",
         {{Step::Start, 10, 0ms, false}, {Step::Report, 40, 0ms, true}}},
        {"reports before the pointer settles only record, the last one counts",
         {{Step::SettlesUntil1s, 0, 0ms, false},
          {Step::Report, 10, 100ms, false},
          {Step::Report, 35, 999ms, false},
          {Step::Report, 35, 1s, false},
          {Step::Report, 36, 1s, true}}},
        {"after a layout change the next report records again",
         {{Step::Report, 10, 0ms, false}, {Step::LayoutChanged, 0, 0ms, false}, {Step::Report, 500, 0ms, false},
          {Step::Report, 501, 0ms, true}}},
    };
    for (const auto& c : cases) {
        CloseRules rules;
        for (const auto& [step, x, at, closes] : c.steps) {
            switch (step) {
            case Step::Start:
                rules.PointerAtStart(x, 0);
                break;
            case Step::SettlesUntil1s:
                rules.PointerSettlesUntil(t0 + 1s);
                break;
            case Step::LayoutChanged:
                rules.LayoutChanged();
                break;
            case Step::Report:
                EXPECT_EQ(rules.OnPointerAt(x, 0, t0 + at).Closes(), closes) << c.what << ": x " << x;
                break;
            }
        }
    }
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
