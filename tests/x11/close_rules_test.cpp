// SPDX-License-Identifier: MIT
// What closes the full-screen saver and what does not, event by event.
#include <gtest/gtest.h>

#include <X11/X.h>
#include <vector>

#include "x11/close_rules.h"

namespace quorvana {
namespace {

TEST(CloseRules, ButtonsOneToThreeCloseTheWheelAndExtraButtonsDoNot)
{
    const CloseRules rules;
    const struct {
        unsigned button;
        bool closes;
    } cases[] = {{1, true}, {2, true}, {3, true}, {4, false}, {5, false},
                 {6, false}, {7, false}, {8, false}, {9, false}, {0, false}};
    for (const auto& c : cases) EXPECT_EQ(rules.OnButtonPress(c.button), c.closes) << "button " << c.button;
    EXPECT_TRUE(rules.OnKeyPress());
}

TEST(CloseRules, PointerMovesAreMeasuredFromTheFirstReport)
{
    CloseRules rules;
    const struct {
        int x, y;
        bool closes;
    } sequence[] = {
        {300, 200, false},  // the first report records
        {300, 200, false},  // a repeat at the same place
        {301, 200, true},   // one pixel in x
        {300, 199, true},   // one pixel in y
        {300, 200, false},  // back at the first place
        {-1, -1, true},     // any other place, even one that looks like "none"
    };
    for (const auto& step : sequence)
        EXPECT_EQ(rules.OnPointerAt(step.x, step.y), step.closes) << step.x << "," << step.y;
}

TEST(CloseRules, AFirstReportAtMinusOneIsRecordedLikeAnyOther)
{
    CloseRules rules;
    EXPECT_FALSE(rules.OnPointerAt(-1, -1));
    EXPECT_FALSE(rules.OnPointerAt(-1, -1));
    EXPECT_TRUE(rules.OnPointerAt(0, -1));
}

// Under Xwayland the window is mapped under the last place the server saw
// (its centre, for a new server) and the true place follows as a motion.
TEST(CloseRules, UnderXwaylandTheFirstMotionNotTheCrossingIsTheFirstReport)
{
    enum Event { Crossing, Motion };
    struct Step {
        Event event;
        int x, y;
        bool closes;
    };
    const struct {
        bool crossingsReportPointer;
        std::vector<Step> steps;
    } cases[] = {
        {false,
         {
             {Crossing, 320, 240, false},  // mapped under the stale place
             {Motion, 100, 100, false},    // the true place: the first report
             {Crossing, 50, 50, false},    // crossings never report
             {Motion, 100, 100, false},    // a repeat
             {Motion, 101, 100, true},     // moved
         }},
        {true,
         {
             {Crossing, 320, 240, false},  // elsewhere the crossing is the first report
             {Motion, 320, 240, false},
             {Crossing, 321, 240, true},   // and a crossing away from it closes
         }},
        {true, {{Crossing, 320, 240, false}, {Motion, 100, 100, true}}},
    };
    for (const auto& c : cases) {
        CloseRules rules(c.crossingsReportPointer);
        for (const Step& step : c.steps)
            EXPECT_EQ(step.event == Crossing ? rules.OnCrossingAt(step.x, step.y) : rules.OnPointerAt(step.x, step.y),
                      step.closes)
                << (c.crossingsReportPointer ? "X server: " : "Xwayland: ")
                << (step.event == Crossing ? "crossing at " : "motion at ") << step.x << "," << step.y;
    }
}

TEST(CloseRules, LosingTheFocusClosesFocusMovingInsideOrGrabsDoNot)
{
    const CloseRules rules;
    const struct {
        int mode, detail;
        bool closes;
    } cases[] = {
        {NotifyNormal, NotifyAncestor, true},          {NotifyNormal, NotifyNonlinear, true},
        {NotifyNormal, NotifyVirtual, true},           {NotifyNormal, NotifyNonlinearVirtual, true},
        {NotifyWhileGrabbed, NotifyNonlinear, true},   {NotifyNormal, NotifyInferior, false},
        {NotifyNormal, NotifyPointer, false},          {NotifyNormal, NotifyPointerRoot, false},
        {NotifyNormal, NotifyDetailNone, false},       {NotifyGrab, NotifyNonlinear, false},
        {NotifyUngrab, NotifyNonlinear, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rules.OnFocusOut(c.mode, c.detail), c.closes) << "mode " << c.mode << " detail " << c.detail;
}

}  // namespace
}  // namespace quorvana
