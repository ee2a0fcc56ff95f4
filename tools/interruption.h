// SPDX-License-Identifier: MIT
// Ctrl-C, SIGTERM, SIGHUP and every other catchable signal that would end
// an export (common/ending_signals.h). Instead of dying mid-write, the exporter notices the request
// between rows, lets its files clean up after themselves (a file not yet
// complete is removed), and then ends by the same signal, so a shell or
// script sees the export as interrupted.
#pragma once

namespace quorvana {

// From here on, an interrupting signal is only noted, and SIGPIPE ignored.
void CatchInterruptions();
// True once an interrupting signal has arrived.
bool Interrupted();
// Ends the process by the signal that arrived; call once everything that
// must be cleaned up is gone.
[[noreturn]] void EndAsInterrupted();

}  // namespace quorvana
