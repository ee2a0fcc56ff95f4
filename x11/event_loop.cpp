// SPDX-License-Identifier: MIT
#include "x11/event_loop.h"

#include <cerrno>
#include <poll.h>

#include "saver/tick_timer.h"

namespace quorvana {
namespace {

// The end the client asked for, once the last picture is on the screen.
Result<> Finish(Display* display)
{
    XSync(display, False);
    return {};
}

}  // namespace

Result<> RunEventLoop(Display* display, int stopFd, LoopClient& client)
{
    pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {stopFd, POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (TRY(client.OnEvent(event)) == LoopClient::Next::End) return Finish(display);
        }
        const auto now = LoopClient::Clock::now();
        const std::optional<LoopClient::Clock::time_point> deadline = client.Deadline();
        if (deadline && now >= *deadline) {
            if (TRY(client.OnDeadline(now)) == LoopClient::Next::End) return Finish(display);
            continue;  // events that came meanwhile go first
        }
        XFlush(display);
        waits[0].revents = waits[1].revents = 0;
        const int ready = poll(waits, stopFd >= 0 ? 2 : 1, deadline ? MillisecondsUntil(*deadline, now) : -1);
        if (ready < 0 && errno != EINTR) return {};
        if (stopFd >= 0 && (waits[1].revents & POLLIN)) return {};
    }
}

}  // namespace quorvana
