// SPDX-License-Identifier: MIT
// The saver's one loop: it hands every X event to each window, runs a tick
// when one is due, and otherwise blocks on the X connection and the stop
// signal's pipe until the next tick's deadline. Events always go before
// ticks, so a repaint comes before the next row, as paint goes before timer
// on Windows. Several windows (one per monitor of a full-screen saver) share
// the timer, so each tick draws a row in every window that has started. A
// FocusOut is held a tenth of a second and counts only if the focus has not
// come back to one of the windows by then.
#pragma once

#include <X11/Xlib.h>
#include <memory>
#include <vector>

#include "x11/julia_window.h"
#include "x11/tick_timer.h"

namespace quorvana {

// Returns when any of the windows is closed or destroyed, when the stop
// signal arrives, or after `pictures` finished pictures of the first window
// (0: no such end).
Result<> RunEventLoop(Display* display, const std::vector<std::unique_ptr<JuliaWindow>>& windows, TickTimer& timer,
                  int stopFd, int pictures);

}  // namespace quorvana
