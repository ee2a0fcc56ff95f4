// SPDX-License-Identifier: MIT
// The saver's one loop, mechanism only: it hands every X event to its
// client, calls the client when the client's deadline has come, and
// otherwise blocks on the X connection and the stop signal's pipe until
// that deadline. What an event means, when the next tick or check is due
// and when to end is the client's answer (x11/window_saver.h,
// x11/full_screen_saver.h). Events always go before deadlines, so a repaint
// comes before the next row, as paint goes before timer on Windows.
#pragma once

#include <X11/Xlib.h>
#include <chrono>
#include <optional>

#include "common/failure.h"

namespace quorvana {

class LoopClient {
public:
    using Clock = std::chrono::steady_clock;
    enum class Next { Continue, End };

    virtual ~LoopClient() = default;
    virtual Result<Next> OnEvent(XEvent& event) = 0;
    // The earliest time OnDeadline is wanted; none: only events wake the loop.
    virtual std::optional<Clock::time_point> Deadline() const = 0;
    // Called once Deadline() has come; it must move the deadline on.
    virtual Result<Next> OnDeadline(Clock::time_point now) = 0;
};

// Returns when the client answers End or fails (after the server has
// handled every request), or when the stop signal arrives.
Result<> RunEventLoop(Display* display, int stopFd, LoopClient& client);

}  // namespace quorvana
