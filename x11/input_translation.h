// SPDX-License-Identifier: MIT
// What the X server's input means to the saver's rules (saver/close_rules.h):
// which of X's button numbers is the primary, middle or secondary button, and
// which FocusOut is the keyboard focus gone elsewhere. Pure functions of the
// events' values, so that the tables can be tested without a display.
#pragma once

#include "saver/close_rules.h"

namespace quorvana {

// X numbers the buttons 1 (primary), 2 (middle), 3 (secondary); 4 and 5 are
// the wheel, 6 and 7 the horizontal wheel, 8 and up the side and extra ones.
CloseRules::Button ButtonOf(unsigned xButton);

// A FocusOut with this mode and detail (NotifyNormal …, NotifyAncestor …)
// means the focus went to another window.
bool IsFocusLoss(int mode, int detail);

}  // namespace quorvana
