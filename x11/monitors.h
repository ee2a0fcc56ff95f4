// SPDX-License-Identifier: MIT
// The monitors of the X screen, as the full-screen saver covers them: one
// window over each. RandR 1.5's monitors where the server lists them, else
// Xinerama's heads, else the whole screen as one monitor. The primary
// comes first (RandR's primary, else the first listed): its window keeps
// the saver's seed and takes the keyboard focus. When monitors come, go or
// change size, RandR reports a screen change, after which ScreenMonitors
// lists the new layout.
#pragma once

#include <X11/Xlib.h>
#include <optional>
#include <vector>

#include "render/surface.h"
#include "saver/monitor_layout.h"

namespace quorvana {

std::vector<Rect> ScreenMonitors(Display* display);

// Asks the server to report changes of the screen's layout; the event type
// of such a report, or none from a server without RandR.
std::optional<int> WatchScreenChanges(Display* display);

// Takes in a screen change report, so that Xlib's idea of the screen's size
// (which ScreenMonitors clips to) is the new one.
void TakeScreenChange(XEvent& event);

}  // namespace quorvana
