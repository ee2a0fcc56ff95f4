// SPDX-License-Identifier: MIT
// The saver in one window: another program's (by id, or xscreensaver's),
// the root window, or an ordinary window of its own. It owns that window,
// keeps the pace and ends when the window is destroyed or closed, or after
// the pictures asked for; in its own window also on q, Q, Escape or Ctrl-C
// (x11/input_translation.h). A window that is not full screen draws the
// pictures of the monitor it lies on (saver/monitor_seed.h), unless a seed
// is given: xscreensaver starts one saver on each monitor's window, all in
// the same second.
#pragma once

#include <memory>

#include "common/failure.h"
#include "saver/saver_options.h"
#include "x11/event_loop.h"
#include "x11/julia_window.h"
#include "x11/saver_pace.h"
#include "x11/x_connection.h"

namespace quorvana {

class WindowSaver final : public LoopClient {
public:
    // The window options.target names (anything but FullScreen), on the screen.
    static Result<std::unique_ptr<WindowSaver>> Create(const XConnection& x, const SaverOptions& options);

    Result<Next> OnEvent(XEvent& event) override;
    std::optional<Clock::time_point> Deadline() const override { return m_pace.NextTick(); }
    Result<Next> OnDeadline(Clock::time_point now) override;

private:
    WindowSaver(std::unique_ptr<JuliaWindow> window, const SaverOptions& options);

    std::unique_ptr<JuliaWindow> m_window;
    SaverPace m_pace;
};

}  // namespace quorvana
