// SPDX-License-Identifier: MIT
// The pace every X11 saver keeps, whatever it draws on: one row in each
// window that has begun its picture per tick (the period of
// saver/tick_period.h), the ticks starting with the first picture, and the
// end after --pictures K finished pictures of the first window (the
// primary monitor's, in full screen).
#pragma once

#include <optional>
#include <vector>

#include "x11/event_loop.h"
#include "x11/julia_window.h"
#include "saver/tick_timer.h"

namespace quorvana {

class SaverPace {
public:
    using Clock = LoopClient::Clock;

    // pictures: 0 to run until stopped.
    SaverPace(int speed, int pictures);

    // Starts the ticks once any of the windows has begun a picture.
    void Begin(const JuliaWindow& window, Clock::time_point now);
    // When the next row is due; none before the first picture.
    std::optional<Clock::time_point> NextTick() const { return m_timer.Deadline(); }
    // A row in each window that has begun, if a tick is due at `now`; End
    // once the first window has finished the pictures asked for.
    LoopClient::Next Tick(const std::vector<JuliaWindow*>& windows, Clock::time_point now);

private:
    TickTimer m_timer;
    int m_pictures;
};

}  // namespace quorvana
