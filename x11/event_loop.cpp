#include "x11/event_loop.h"

#include <cerrno>
#include <poll.h>

namespace quorvana {

void RunEventLoop(Display* display, JuliaWindow& window, TickTimer& timer, int stopFd, int pictures)
{
    pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {stopFd, POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (window.HandleEvent(event) == JuliaWindow::Next::Close) return;
        }
        const auto now = TickTimer::Clock::now();
        if (!timer.Running() && window.Started()) timer.Start(now);
        if (timer.TakeTick(now)) {
            window.Tick();
            if (pictures > 0 && window.FinishedPictures() >= pictures) {
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
