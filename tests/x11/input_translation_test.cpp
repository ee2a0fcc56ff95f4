// SPDX-License-Identifier: MIT
// X's input values as the close rules read them: the button numbers and the
// FocusOut modes and details. The rules themselves are tested in tests/saver.
#include <gtest/gtest.h>

#include <X11/X.h>

#include "x11/input_translation.h"

namespace quorvana {
namespace {

TEST(InputTranslation, ButtonsOneToThreeAreTheRulesButtonsTheWheelAndExtraButtonsOther)
{
    using Button = CloseRules::Button;
    const struct {
        unsigned button;
        Button is;
    } cases[] = {{1, Button::Primary}, {2, Button::Middle}, {3, Button::Secondary}, {4, Button::Other},
                 {5, Button::Other},   {6, Button::Other},  {7, Button::Other},     {8, Button::Other},
                 {9, Button::Other},   {0, Button::Other}};
    for (const auto& c : cases) EXPECT_EQ(ButtonOf(c.button), c.is) << "button " << c.button;
}

TEST(InputTranslation, FocusGoneElsewhereIsALossFocusMovingInsideOrGrabsAreNot)
{
    const struct {
        int mode, detail;
        bool loss;
    } cases[] = {
        {NotifyNormal, NotifyAncestor, true},          {NotifyNormal, NotifyNonlinear, true},
        {NotifyNormal, NotifyVirtual, true},           {NotifyNormal, NotifyNonlinearVirtual, true},
        {NotifyWhileGrabbed, NotifyNonlinear, true},   {NotifyNormal, NotifyInferior, false},
        {NotifyNormal, NotifyPointer, false},          {NotifyNormal, NotifyPointerRoot, false},
        {NotifyNormal, NotifyDetailNone, false},       {NotifyGrab, NotifyNonlinear, false},
        {NotifyUngrab, NotifyNonlinear, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsFocusLoss(c.mode, c.detail), c.loss) << "mode " << c.mode << " detail " << c.detail;
}

}  // namespace
}  // namespace quorvana
