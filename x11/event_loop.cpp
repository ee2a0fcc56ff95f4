// SPDX-License-Identifier: MIT
#include "x11/event_loop.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <poll.h>

namespace quorvana {

namespace {

// Focus that leaves one of the saver's windows for another of them, or that
// comes back at once, is no sign of the user: a compositor's XWayland takes
// it away and gives it back as a window is mapped. So a FocusOut counts only
// when the focus is still elsewhere a moment later; asking the server where
// it is then tells.
constexpr std::chrono::milliseconds kFocusGrace{100};

bool FocusStaysWithin(Display* display, const std::vector<std::unique_ptr<JuliaWindow>>& windows)
{
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return std::any_of(windows.begin(), windows.end(), [&](const auto& w) { return w->Id() == focus; });
}

bool AnyStarted(const std::vector<std::unique_ptr<JuliaWindow>>& windows)
{
    return std::any_of(windows.begin(), windows.end(), [](const auto& w) { return w->Started(); });
}

}  // namespace

Result<> RunEventLoop(Display* display, const std::vector<std::unique_ptr<JuliaWindow>>& windows, TickTimer& timer,
                      int stopFd, int pictures)
{
    pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {stopFd, POLLIN, 0}};
    // Every window sees every event: each takes its own, and the presenters
    // their shared-memory completions.
    const auto deliver = [&](const XEvent& event) -> Result<bool> {
        for (const auto& window : windows)
            if (TRY(window->HandleEvent(event)) == JuliaWindow::Next::Close) return true;
        return false;
    };
    std::optional<XEvent> focusOut;  // held for kFocusGrace
    TickTimer::Clock::time_point focusCheck{};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == FocusOut) {
                if (!focusOut) focusCheck = TickTimer::Clock::now() + kFocusGrace;
                focusOut = event;
                continue;
            }
            if (TRY(deliver(event))) return {};
        }
        const auto now = TickTimer::Clock::now();
        if (focusOut && now >= focusCheck) {
            const bool lost = !FocusStaysWithin(display, windows);
            if (lost && TRY(deliver(*focusOut))) return {};
            focusOut.reset();
        }
        if (!timer.Running() && AnyStarted(windows)) timer.Start(now);
        if (timer.TakeTick(now)) {
            for (const auto& window : windows)
                if (window->Started()) window->Tick();
            if (pictures > 0 && windows.front()->FinishedPictures() >= pictures) {
                XSync(display, False);
                return {};
            }
            continue;
        }
        XFlush(display);
        waits[0].revents = waits[1].revents = 0;
        int timeout = timer.TimeoutMs(now);
        if (focusOut) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(focusCheck - now).count();
            timeout = timeout < 0 ? static_cast<int>(left) : std::min(timeout, static_cast<int>(left));
        }
        const int ready = poll(waits, stopFd >= 0 ? 2 : 1, timeout);
        if (ready < 0 && errno != EINTR) return {};
        if (stopFd >= 0 && (waits[1].revents & POLLIN)) return {};
    }
}

}  // namespace quorvana
