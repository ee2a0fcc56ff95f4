// SPDX-License-Identifier: MIT
#include "x11/input_translation.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace quorvana {

CloseRules::Button ButtonOf(unsigned xButton)
{
    switch (xButton) {
    case Button1:
        return CloseRules::Button::Primary;
    case Button2:
        return CloseRules::Button::Middle;
    case Button3:
        return CloseRules::Button::Secondary;
    default:
        return CloseRules::Button::Other;
    }
}

bool IsFocusLoss(int mode, int detail)
{
    // A grab lends the keyboard for a moment (a window manager's key binding);
    // it is not the focus passing to another window.
    if (mode != NotifyNormal && mode != NotifyWhileGrabbed) return false;
    // Focus moving within the window's own tree, or the pointer-root focus
    // following the pointer, is no loss of focus.
    return detail == NotifyAncestor || detail == NotifyVirtual || detail == NotifyNonlinear ||
           detail == NotifyNonlinearVirtual;
}

bool QuitsOwnWindow(KeySym key, unsigned state)
{
    if (key == XK_q || key == XK_Q || key == XK_Escape) return true;
    return (key == XK_c || key == XK_C) && (state & ControlMask);
}

}  // namespace quorvana
