// SPDX-License-Identifier: MIT
// When the full-screen saver closes: at the first sign of the user, as the
// Windows saver does. A key press, a press of mouse button 1, 2 or 3, a
// pointer position other than the first one reported, or the loss of the
// keyboard focus. Not: key releases, the wheel (buttons 4 and 5), the
// horizontal wheel and extra buttons (6 and up), button releases, the first
// pointer report (it only records where the pointer is) and later reports at
// that same position. Positions are in root coordinates, so that the window
// being moved into place by a window manager is not taken for a movement.
// Under Xwayland the server learns where the pointer is only when it enters
// one of its windows: until then it keeps the last place it saw (the
// screen's centre, for a new server). The saver's window is mapped "under"
// that stale place and gets an EnterNotify there; the true place follows as
// a MotionNotify a few milliseconds later. There a crossing reports nothing
// and the first motion is the first report.
//
// Pure logic over the values of X events, so that the table of triggers can
// be tested without a display.
#pragma once

#include <optional>
#include <utility>

namespace quorvana {

class CloseRules {
public:
    // crossingsReportPointer: false under Xwayland (XConnection::IsXwayland).
    explicit CloseRules(bool crossingsReportPointer = true) : m_crossingsReportPointer(crossingsReportPointer) {}

    bool OnKeyPress() const { return true; }
    bool OnButtonPress(unsigned button) const;
    // A motion event at root position (x, y).
    bool OnPointerAt(int x, int y);
    // A crossing (EnterNotify) at root position (x, y).
    bool OnCrossingAt(int x, int y) { return m_crossingsReportPointer && OnPointerAt(x, y); }
    // A FocusOut event with its mode and detail (NotifyNormal …, NotifyAncestor …).
    bool OnFocusOut(int mode, int detail) const;

private:
    bool m_crossingsReportPointer;
    std::optional<std::pair<int, int>> m_firstPointer;
};

}  // namespace quorvana
