// SPDX-License-Identifier: MIT
// The X11 savers' side of the one loop (common/display_loop.h): every event
// the connection has brought goes to OnEvent, in order; the requests made
// are flushed before the loop sleeps, and the server has handled all of
// them when the saver ends. What an event means is the saver's answer
// (x11/window_saver.h, x11/full_screen_saver.h).
#pragma once

#include <X11/Xlib.h>

#include "common/display_loop.h"

namespace quorvana {

class XDisplayClient : public DisplayClient {
public:
    explicit XDisplayClient(Display* display) : m_display(display) {}

    [[nodiscard]] virtual Result<Next> OnEvent(XEvent& event) = 0;

    Result<Next> OnEvents() final;
    Result<std::optional<short>> BeforeSleep() final;
    Result<> AfterSleep(bool) final { return {}; }
    void Finish() final { XSync(m_display, False); }

private:
    Display* m_display;
};

}  // namespace quorvana
