// SPDX-License-Identifier: MIT
// The signals that end a program unless it catches them: every catchable
// signal whose default action ends the process, but those a fault raises
// (SIGSEGV, SIGBUS, …), which must be neither held nor merely noted, and
// SIGPIPE, which each program treats on its own (a write to a pipe with no
// reader fails with EPIPE once it is ignored). One list for every module
// that catches or holds them: the exporter's interruption
// (tools/interruption.h), the signals held while ~/.xscreensaver is
// replaced (xscreensaver/held_signals.h) and the X11 saver's stop signals.
// Windows has only SIGINT and SIGTERM.
#pragma once

#include <csignal>

namespace quorvana {

inline constexpr int kEndingSignals[] = {
    SIGINT, SIGTERM,
#ifdef SIGHUP
    SIGHUP, SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF,
#endif
#ifdef SIGPOLL
    SIGPOLL,
#endif
};

}  // namespace quorvana
