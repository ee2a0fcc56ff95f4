// SPDX-License-Identifier: MIT
// CScrollBar: a scroll bar control (SB_CTL), usually a dialog's control
// bound to a member by DDX_Control. Positions outside the range are placed
// at the nearer end of it by the platform.
#pragma once

#include <windows.h>

#include "fw/wnd.h"

class CScrollBar : public CWnd {
public:
    CScrollBar() = default;
    ~CScrollBar() override;

    // The previous position.
    int SetScrollPos(int position, BOOL redraw = TRUE);
    int GetScrollPos() const;
    void SetScrollRange(int minimum, int maximum, BOOL redraw = TRUE);
};
