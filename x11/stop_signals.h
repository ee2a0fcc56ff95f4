// SPDX-License-Identifier: MIT
// SIGTERM, SIGINT, SIGHUP and the other ending signals (common/ending_signals.h)
// end the saver cleanly: the handler only writes a byte
// into a pipe, and the event loop, which waits on that pipe beside the X
// connection, returns and lets every destructor run. SIGPIPE is ignored, so
// that a lost connection reaches Xlib's handler instead of killing silently.
#pragma once

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
};

}  // namespace quorvana
