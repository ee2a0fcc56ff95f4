// SPDX-License-Identifier: MIT
#include "common/display_loop.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <string>

namespace quorvana {
namespace {

Result<> Finished(DisplayClient& client)
{
    client.Finish();
    return {};
}

}  // namespace

int MillisecondsUntil(const std::optional<DisplayClient::Clock::time_point>& deadline,
                      DisplayClient::Clock::time_point now)
{
    if (!deadline) return -1;
    if (now >= *deadline) return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*deadline - now).count());
}

Result<> RunDisplayLoop(int connectionFd, int stopFd, DisplayClient& client)
{
    using Next = DisplayClient::Next;
    for (;;) {
        if (TRY(client.OnEvents()) == Next::End) return Finished(client);
        const auto now = DisplayClient::Clock::now();
        const std::optional<DisplayClient::Clock::time_point> deadline = client.Deadline();
        if (deadline && now >= *deadline) {
            if (TRY(client.OnDeadline(now)) == Next::End) return Finished(client);
            continue;  // events that came meanwhile go first
        }
        const std::optional<short> wanted = TRY(client.BeforeSleep());
        if (!wanted) continue;
        pollfd waits[2] = {{connectionFd, *wanted, 0}, {stopFd, POLLIN, 0}};
        const int ready = poll(waits, stopFd >= 0 ? 2 : 1, MillisecondsUntil(deadline, now));
        const int pollError = errno;
        TRY(client.AfterSleep(ready > 0 && (waits[0].revents & (POLLIN | POLLHUP | POLLERR))));
        if (ready < 0 && pollError != EINTR)
            return Failure::Runtime(std::string("cannot wait for the display: ") + std::strerror(pollError));
        // Stopped by a signal: what is queued no longer matters.
        if (stopFd >= 0 && (waits[1].revents & POLLIN)) return {};
    }
}

}  // namespace quorvana
