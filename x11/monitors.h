// SPDX-License-Identifier: MIT
// The monitors of the X screen, as the full-screen saver covers them: one
// window over each. RandR 1.5's monitors where the server lists them, else
// Xinerama's heads, else the whole screen as one monitor. The primary
// comes first (RandR's primary, else the first listed): its window keeps
// the saver's seed and takes the keyboard focus.
#pragma once

#include <X11/Xlib.h>
#include <vector>

#include "render/surface.h"
#include "saver/monitor_layout.h"

namespace quorvana {

std::vector<Rect> ScreenMonitors(Display* display);

}  // namespace quorvana
