// SPDX-License-Identifier: MIT
// The list of ending signals: each once, the stop requests among them, and
// none that a fault raises, that cannot be caught, or that each program
// treats on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#include "common/ending_signals.h"

namespace quorvana {
namespace {

bool Listed(int signal)
{
    return std::count(std::begin(kEndingSignals), std::end(kEndingSignals), signal) == 1;
}

TEST(EndingSignals, TheStopRequestsOnceAndNoFaults)
{
    for (const int signal : kEndingSignals) EXPECT_TRUE(Listed(signal)) << "listed twice: " << signal;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2, SIGXFSZ})
        EXPECT_TRUE(Listed(signal)) << "missing: " << signal;
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS, SIGKILL, SIGSTOP, SIGPIPE,
                             SIGCHLD, SIGWINCH})
        EXPECT_EQ(std::count(std::begin(kEndingSignals), std::end(kEndingSignals), signal), 0)
            << "must not be listed: " << signal;
}

}  // namespace
}  // namespace quorvana
