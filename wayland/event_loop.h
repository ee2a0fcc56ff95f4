// SPDX-License-Identifier: MIT
// The Wayland saver's one loop, mechanism only: it reads and dispatches the
// compositor's events, runs the caller's settle step after each batch of
// them, runs its tick each period, and otherwise sleeps in poll on the
// connection and the stop descriptor until the next tick is due. What the
// events and ticks mean, and when it is over, is the caller's (LoopSteps).
// It follows libwayland's rule for a reader: prepare_read, flush, poll,
// then read_events or cancel_read.
#pragma once

#include <chrono>

#include "common/failure.h"
#include "wayland/connection.h"

namespace quorvana {

class LoopSteps {
public:
    virtual ~LoopSteps() = default;
    // After every batch of dispatched events.
    [[nodiscard]] virtual Result<> AfterEvents() = 0;
    // Once per period.
    [[nodiscard]] virtual Result<> Tick() = 0;
    // Checked after each of the two: true ends the loop.
    virtual bool Over() const = 0;
};

// Returns when the steps say it is over or the stop descriptor becomes
// readable (nothing), or with the failure of a step or of the connection
// (the compositor gone, a protocol error).
// The ticks keep saver/tick_timer.h's deadline, which never bursts.
[[nodiscard]] Result<> RunEventLoop(WaylandConnection& connection, LoopSteps& steps,
                                    std::chrono::milliseconds period, int stopFd);

}  // namespace quorvana
