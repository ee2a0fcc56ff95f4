// SPDX-License-Identifier: MIT
// The one loop of both Linux savers (X11's, Wayland's), mechanism only: it
// lets its client handle what the display connection has brought, calls it
// when its deadline comes, and otherwise sleeps in poll on the connection
// and the stop descriptor (stop_signals.h) until that deadline. What an
// event means, when the next tick or check is due and when the saver ends
// are the client's answers. Events always go before deadlines, so a repaint
// comes before the next row, as paint goes before timer on Windows.
#pragma once

#include <chrono>
#include <optional>

#include "common/failure.h"

namespace quorvana {

class DisplayClient {
public:
    using Clock = std::chrono::steady_clock;
    enum class Next { Continue, End };

    virtual ~DisplayClient() = default;

    // Handles every event the connection has brought so far.
    [[nodiscard]] virtual Result<Next> OnEvents() = 0;
    // The earliest time OnDeadline is wanted; none: only events wake the loop.
    virtual std::optional<Clock::time_point> Deadline() const = 0;
    // Called once Deadline() has come; it must move the deadline on.
    [[nodiscard]] virtual Result<Next> OnDeadline(Clock::time_point now) = 0;
    // Before the loop sleeps: sends the requests made and says what to wait
    // for on the connection (poll's events); none when events have come
    // meanwhile, which OnEvents then handles first.
    [[nodiscard]] virtual Result<std::optional<short>> BeforeSleep() = 0;
    // After the sleep (and only after a BeforeSleep that answered events to
    // wait for): `readable` says whether the connection has something to read.
    [[nodiscard]] virtual Result<> AfterSleep(bool readable) = 0;
    // The client answered End: the last requests reach the server.
    virtual void Finish() = 0;
};

// How long the loop may sleep before `deadline`: the whole milliseconds
// left, rounded up so that it never wakes early; 0 once it has passed; −1
// (for ever) without one.
int MillisecondsUntil(const std::optional<DisplayClient::Clock::time_point>& deadline,
                      DisplayClient::Clock::time_point now);

// Returns when the client answers End or the stop descriptor (−1: none)
// becomes readable, or with the client's failure, or when the loop cannot
// wait at all.
[[nodiscard]] Result<> RunDisplayLoop(int connectionFd, int stopFd, DisplayClient& client);

}  // namespace quorvana
