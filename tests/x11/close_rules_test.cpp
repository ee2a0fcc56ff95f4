// SPDX-License-Identifier: MIT
// What closes the full-screen saver and what does not, event by event.
#include <gtest/gtest.h>

#include <X11/X.h>

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
