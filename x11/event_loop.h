// The saver's one loop: it hands every X event to the window, runs a tick
// when one is due, and otherwise blocks on the X connection and the stop
// signal's pipe until the next tick's deadline. Events always go before
// ticks, so a repaint comes before the next row, as paint goes before timer
// on Windows.
#pragma once

#include <X11/Xlib.h>

#include "x11/julia_window.h"
#include "x11/tick_timer.h"

namespace quorvana {

// Returns when the window is closed or destroyed, when the stop signal
// arrives, or after `pictures` finished pictures (0: no such end).
void RunEventLoop(Display* display, JuliaWindow& window, TickTimer& timer, int stopFd, int pictures);

}  // namespace quorvana
