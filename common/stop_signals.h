// SPDX-License-Identifier: MIT
// SIGTERM, SIGINT, SIGHUP and the other ending signals (ending_signals.h)
// end a saver cleanly, on X11 or Wayland: the handler only writes a byte into
// a pipe, and the event loop, which waits on that pipe beside the display's
// connection, returns and lets every destructor run. A signal the program
// inherits as ignored stays ignored (the shell's way of running a job in
// the background: `nohup quorvana --root` outlives its terminal). SIGPIPE
// is ignored, so that a lost connection is reported by the display's
// library instead of killing the program silently.
#pragma once

#include <iterator>

#include "common/ending_signals.h"

namespace quorvana {

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Becomes readable once a stop signal has arrived.
    int Fd() const { return m_pipe[0]; }

private:
    int m_pipe[2] = {-1, -1};
    bool m_caught[std::size(kEndingSignals)] = {};  // by kEndingSignals' order
};

}  // namespace quorvana
