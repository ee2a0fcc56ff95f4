// SPDX-License-Identifier: MIT
// X's input values as the close rules read them: the button numbers and the
// FocusOut modes and details. The rules themselves are tested in tests/saver.
#include <gtest/gtest.h>

#include <X11/X.h>
#include <X11/keysym.h>

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

TEST(InputTranslation, QEscapeAndCtrlCEndAnOwnWindowOtherKeysDoNot)
{
    const struct {
        KeySym key;
        unsigned state;
        bool quits;
    } cases[] = {
        {XK_q, 0, true},          {XK_Q, ShiftMask, true},  {XK_q, ShiftMask, true},   {XK_q, LockMask, true},
        {XK_Escape, 0, true},     {XK_c, ControlMask, true}, {XK_C, ControlMask | ShiftMask, true},
        {XK_c, 0, false},         {XK_c, Mod1Mask, false},   {XK_a, ControlMask, false}, {XK_space, 0, false},
        {XK_Return, 0, false},    {XK_w, ControlMask, false}, {XK_Control_L, ControlMask, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuitsOwnWindow(c.key, c.state), c.quits) << "key " << c.key << " state " << c.state;
}

}  // namespace
}  // namespace quorvana
