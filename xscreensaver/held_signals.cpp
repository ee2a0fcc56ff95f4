// SPDX-License-Identifier: MIT
#include "xscreensaver/held_signals.h"

#include "common/ending_signals.h"

namespace quorvana {

HeldSignals::HeldSignals()
{
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kEndingSignals) sigaddset(&held, signal);
    // A reader gone from a pipe ends the program too, once the files are whole.
    sigaddset(&held, SIGPIPE);
    sigprocmask(SIG_BLOCK, &held, &m_before);
}

HeldSignals::~HeldSignals()
{
    sigprocmask(SIG_SETMASK, &m_before, nullptr);
}

}  // namespace quorvana
