// SPDX-License-Identifier: MIT
// Which front end draws a run of the Linux saver, as a pure function of the
// options and of whether $WAYLAND_DISPLAY is set: main asks it before it
// opens anything, and asks the Wayland compositor only when the answer
// leaves the last word to it (whether it offers layer-shell).
//
//   a given X window ($XSCREENSAVER_WINDOW, --window-id)  X11, always: the
//        daemons that hand one over (xscreensaver, xsecurelock) run on
//        Xwayland too, with $WAYLAND_DISPLAY set
//   a window of its own                                   X11 (Xwayland)
//   --fullscreen, --root with --x11                       X11
//   --fullscreen, --root with --wayland                   Wayland or fail
//   --fullscreen, --root, $WAYLAND_DISPLAY set            Wayland if the compositor
//        offers layer-shell, else X11 with one line on standard error
//   --fullscreen, --root otherwise                        X11
#pragma once

#include "linux/saver_options.h"

namespace quorvana {

enum class FrontEndPlan {
    X11,
    WaylandOrX11,  // Wayland if the compositor can be reached and offers layer-shell
    WaylandOnly,
};

FrontEndPlan PlanFrontEnd(const SaverOptions& options, bool waylandDisplaySet);

}  // namespace quorvana
