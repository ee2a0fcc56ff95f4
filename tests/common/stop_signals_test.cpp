// SPDX-License-Identifier: MIT
// The savers' stop signals: a caught one makes the descriptor readable; one
// inherited as ignored (nohup, a background job) stays ignored.
#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>

#include "common/stop_signals.h"

namespace quorvana {
namespace {

bool Readable(int fd)
{
    pollfd wait{fd, POLLIN, 0};
    return poll(&wait, 1, 0) == 1 && (wait.revents & POLLIN);
}

TEST(StopSignals, CatchTheEndingSignalsButThoseInheritedAsIgnored)
{
    const struct {
        int signal;
        bool inheritedIgnored;
    } cases[] = {{SIGHUP, true}, {SIGHUP, false}, {SIGUSR1, false}, {SIGTERM, true}};
    for (const auto& c : cases) {
        std::signal(c.signal, c.inheritedIgnored ? SIG_IGN : SIG_DFL);
        {
            const StopSignals stop;
            // An ignored signal is ignored by raise too; a caught one only writes a byte.
            std::raise(c.signal);
            EXPECT_EQ(Readable(stop.Fd()), !c.inheritedIgnored) << "signal " << c.signal;
        }
        // Afterwards each has what it had before.
        EXPECT_EQ(std::signal(c.signal, SIG_DFL), c.inheritedIgnored ? SIG_IGN : SIG_DFL) << "signal " << c.signal;
    }
}

}  // namespace
}  // namespace quorvana
