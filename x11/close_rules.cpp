// SPDX-License-Identifier: MIT
#include "x11/close_rules.h"

#include <X11/X.h>

namespace quorvana {

bool CloseRules::OnButtonPress(unsigned button) const
{
    return button == Button1 || button == Button2 || button == Button3;
}

bool CloseRules::OnPointerAt(int x, int y)
{
    if (!m_firstPointer) {
        m_firstPointer.emplace(x, y);
        return false;
    }
    // Measured against the first report for the window's whole life.
    return m_firstPointer->first != x || m_firstPointer->second != y;
}

bool CloseRules::OnFocusOut(int mode, int detail) const
{
    // A grab lends the keyboard for a moment (a window manager's key binding);
    // it is not the focus passing to another window.
    if (mode != NotifyNormal && mode != NotifyWhileGrabbed) return false;
    // Focus moving within the window's own tree, or the pointer-root focus
    // following the pointer, is no loss of focus.
    return detail == NotifyAncestor || detail == NotifyVirtual || detail == NotifyNonlinear ||
           detail == NotifyNonlinearVirtual;
}

}  // namespace quorvana
