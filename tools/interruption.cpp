// SPDX-License-Identifier: MIT
#include "tools/interruption.h"

#include <csignal>
#include <cstdlib>

#include "common/ending_signals.h"

namespace quorvana {

namespace {

volatile std::sig_atomic_t g_signal = 0;  // the signal that arrived, or 0

extern "C" void NoteSignal(int signal)
{
    g_signal = signal;
}

// A signal ignored from the start (nohup, a script's background job) stays
// ignored, as it would for a program that does not catch it.
void Catch(int signal)
{
    if (std::signal(signal, NoteSignal) == SIG_IGN) std::signal(signal, SIG_IGN);
}

}  // namespace

void CatchInterruptions()
{
    for (const int signal : kEndingSignals) Catch(signal);
#ifdef SIGPIPE
    // A reader gone from a pipe shows as a failed write (EPIPE) instead.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

bool Interrupted()
{
    return g_signal != 0;
}

void EndAsInterrupted()
{
    const int signal = g_signal;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);  // where the default action does not end the process
}

}  // namespace quorvana
