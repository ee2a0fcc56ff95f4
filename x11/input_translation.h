// SPDX-License-Identifier: MIT
// What the X server's input means to the saver: to the full-screen rules
// (saver/close_rules.h), which of X's button numbers is the primary, middle
// or secondary button and which FocusOut is the keyboard focus gone
// elsewhere; in a window of its own, which keys end it. Pure functions of
// the events' values, so that the tables can be tested without a display.
#pragma once

#include <X11/X.h>

#include "saver/close_rules.h"

namespace quorvana {

// X numbers the buttons 1 (primary), 2 (middle), 3 (secondary); 4 and 5 are
// the wheel, 6 and 7 the horizontal wheel, 8 and up the side and extra ones.
CloseRules::Button ButtonOf(unsigned xButton);

// A FocusOut with this mode and detail (NotifyNormal …, NotifyAncestor …)
// means the focus went to another window.
bool IsFocusLoss(int mode, int detail);

// A key that ends the saver in a window of its own, as other display modes
// end in a window: q or Q, Escape, or Ctrl-C (state: the modifiers held).
bool QuitsOwnWindow(KeySym key, unsigned state);

}  // namespace quorvana
