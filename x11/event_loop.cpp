#include "x11/event_loop.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>

namespace quorvana {

namespace {

// Focus that leaves one of the saver's windows for another of them is no
// sign of the user. The server has moved the focus by the time its FocusOut
// is read, so asking where it is now tells.
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

void RunEventLoop(Display* display, const std::vector<std::unique_ptr<JuliaWindow>>& windows, TickTimer& timer,
                  int stopFd, int pictures)
{
    pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {stopFd, POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == FocusOut && windows.size() > 1 && FocusStaysWithin(display, windows)) continue;
            // Every window sees every event: each takes its own, and the
            // presenters their shared-memory completions.
            for (const auto& window : windows)
                if (window->HandleEvent(event) == JuliaWindow::Next::Close) return;
        }
        const auto now = TickTimer::Clock::now();
        if (!timer.Running() && AnyStarted(windows)) timer.Start(now);
        if (timer.TakeTick(now)) {
            for (const auto& window : windows)
                if (window->Started()) window->Tick();
            if (pictures > 0 && windows.front()->FinishedPictures() >= pictures) {
                XSync(display, False);
                return;
            }
            continue;
        }
        XFlush(display);
        waits[0].revents = waits[1].revents = 0;
        const int ready = poll(waits, stopFd >= 0 ? 2 : 1, timer.TimeoutMs(now));
        if (ready < 0 && errno != EINTR) return;
        if (stopFd >= 0 && (waits[1].revents & POLLIN)) return;
    }
}

}  // namespace quorvana
