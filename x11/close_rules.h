// SPDX-License-Identifier: MIT
// When the full-screen saver closes: at the first sign of the user, as the
// Windows saver does. A key press, a press of mouse button 1, 2 or 3, a
// pointer position other than the first one reported, or the loss of the
// keyboard focus. Not: key releases, the wheel (buttons 4 and 5), the
// horizontal wheel and extra buttons (6 and up), button releases, the first
// pointer report (it only records where the pointer is) and later reports at
// that same position. Positions are in root coordinates, so that the window
// being moved into place by a window manager is not taken for a movement.
//
// Pure logic over the values of X events, so that the table of triggers can
// be tested without a display.
#pragma once

#include <optional>
#include <utility>

namespace quorvana {

class CloseRules {
public:
    bool OnKeyPress() const { return true; }
    bool OnButtonPress(unsigned button) const;
    // A motion or crossing event at root position (x, y).
    bool OnPointerAt(int x, int y);
    // A FocusOut event with its mode and detail (NotifyNormal …, NotifyAncestor …).
    bool OnFocusOut(int mode, int detail) const;

private:
    std::optional<std::pair<int, int>> m_firstPointer;
};

}  // namespace quorvana
