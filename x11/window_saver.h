// SPDX-License-Identifier: MIT
// The saver in one window: another program's (by id, or xscreensaver's),
// the root window, or an ordinary window of its own. It owns that window,
// keeps the pace (saver/saver_core.h) and ends when the window is destroyed
// or closed, or after the pictures asked for; in its own window also on q,
// Q, Escape or Ctrl-C (x11/input_translation.h). A window that is not full
// screen draws the pictures of the monitor it lies on (saver/monitor_seed.h),
// unless a seed is asked for: xscreensaver starts one saver on each
// monitor's window, all in the same second.
#pragma once

#include <memory>

#include "common/failure.h"
#include "saver/saver_core.h"
#include "x11/julia_window.h"
#include "x11/x11_saver.h"
#include "x11/x_connection.h"
#include "x11/x_display_client.h"

namespace quorvana {

class WindowSaver final : public XDisplayClient {
public:
    // The window settings.target names (anything but FullScreen), on the screen.
    [[nodiscard]] static Result<std::unique_ptr<WindowSaver>> Create(const XConnection& x,
                                                                     const X11SaverSettings& settings);

    Result<Next> OnEvent(XEvent& event) override;
    std::optional<Clock::time_point> Deadline() const override { return m_core.NextTick(); }
    Result<Next> OnDeadline(Clock::time_point now) override;

private:
    WindowSaver(const XConnection& x, const X11SaverSettings& settings);

    SaverCore m_core;
    std::unique_ptr<JuliaWindow> m_window;
};

}  // namespace quorvana
