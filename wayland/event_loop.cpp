// SPDX-License-Identifier: MIT
#include "wayland/event_loop.h"

#include <cerrno>
#include <poll.h>

#include "saver/tick_timer.h"

namespace quorvana {

Result<> RunEventLoop(WaylandConnection& connection, LoopSteps& steps, std::chrono::milliseconds period, int stopFd)
{
    wl_display* display = connection.Display();
    TickTimer timer(static_cast<int>(period.count()));
    timer.Start(TickTimer::Clock::now());
    for (;;) {
        // Events already queued are dispatched before this thread may read.
        while (wl_display_prepare_read(display) != 0)
            if (wl_display_dispatch_pending(display) < 0) return connection.Lost();
        TRY(steps.AfterEvents());
        if (steps.Over()) {
            wl_display_cancel_read(display);
            wl_display_flush(display);
            return {};
        }
        // A full socket (EAGAIN) is flushed again once poll says it can take more.
        const bool unsent = wl_display_flush(display) < 0 && errno == EAGAIN;
        if (wl_display_get_error(display) != 0) {
            wl_display_cancel_read(display);
            return connection.Lost();
        }
        pollfd waits[2] = {{wl_display_get_fd(display), static_cast<short>(POLLIN | (unsent ? POLLOUT : 0)), 0},
                           {stopFd, POLLIN, 0}};
        const int ready = poll(waits, stopFd >= 0 ? 2 : 1, timer.TimeoutMs(TickTimer::Clock::now()));
        if (ready < 0 && errno != EINTR) {
            wl_display_cancel_read(display);
            return Failure::Runtime("cannot wait for the Wayland compositor");
        }
        if (ready > 0 && (waits[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            if (wl_display_read_events(display) < 0) return connection.Lost();
        } else {
            wl_display_cancel_read(display);
        }
        if (wl_display_dispatch_pending(display) < 0) return connection.Lost();
        if (stopFd >= 0 && (waits[1].revents & POLLIN)) return {};
        // The batch just read is settled before a tick draws on its surfaces.
        TRY(steps.AfterEvents());
        if (steps.Over()) {
            wl_display_flush(display);
            return {};
        }
        if (timer.TakeTick(TickTimer::Clock::now())) {
            TRY(steps.Tick());
            if (steps.Over()) {
                wl_display_flush(display);
                return {};
            }
        }
    }
}

}  // namespace quorvana
