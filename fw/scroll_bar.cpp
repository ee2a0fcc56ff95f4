// SPDX-License-Identifier: MIT
#include "fw/scroll_bar.h"

CScrollBar::~CScrollBar() = default;

int CScrollBar::SetScrollPos(int position, BOOL redraw)
{
    return ::SetScrollPos(m_hWnd, SB_CTL, position, redraw);
}

int CScrollBar::GetScrollPos() const
{
    return ::GetScrollPos(m_hWnd, SB_CTL);
}

void CScrollBar::SetScrollRange(int minimum, int maximum, BOOL redraw)
{
    ::SetScrollRange(m_hWnd, SB_CTL, minimum, maximum, redraw);
}
