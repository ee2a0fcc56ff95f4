// SPDX-License-Identifier: MIT
#include "xscreensaver/held_signals.h"

namespace quorvana {

namespace {

// Every signal whose default action ends the process and that can be
// caught, except those a fault raises (SIGSEGV, SIGBUS, …), which must not
// be held.
constexpr int kEndingSignals[] = {SIGHUP, SIGINT,  SIGQUIT,   SIGPIPE, SIGALRM, SIGTERM, SIGUSR1,
                                  SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF, SIGPOLL, SIGXFSZ};

}  // namespace

HeldSignals::HeldSignals()
{
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kEndingSignals) sigaddset(&held, signal);
    sigprocmask(SIG_BLOCK, &held, &m_before);
}

HeldSignals::~HeldSignals()
{
    sigprocmask(SIG_SETMASK, &m_before, nullptr);
}

}  // namespace quorvana
