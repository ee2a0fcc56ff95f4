// SPDX-License-Identifier: MIT
// Holds the signals that would end the program (SIGTERM, SIGINT, SIGHUP and
// the other catchable ones of common/ending_signals.h, and SIGPIPE) while it replaces the user's files, so that a
// signal arriving meanwhile cannot leave a temporary file behind: it is
// delivered, and ends the program as usual, once the files are whole and
// the object goes.
#pragma once

#include <csignal>

namespace quorvana {

class HeldSignals {
public:
    HeldSignals();
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t m_before{};
};

}  // namespace quorvana
