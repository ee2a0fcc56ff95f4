// SPDX-License-Identifier: MIT
#include "common/stop_signals.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>


namespace quorvana {

namespace {

// A signal handler gets no context, so the pipe's writing end is process-wide.
int s_stopPipeWrite = -1;

void OnStopSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(s_stopPipeWrite, &byte, 1);
}

}  // namespace

StopSignals::StopSignals()
{
    if (pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) m_pipe[0] = m_pipe[1] = -1;
    s_stopPipeWrite = m_pipe[1];
    struct sigaction action{};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        struct sigaction inherited{};
        sigaction(kEndingSignals[i], nullptr, &inherited);
        if (inherited.sa_handler == SIG_IGN) continue;
        m_caught[i] = sigaction(kEndingSignals[i], &action, nullptr) == 0;
    }
    std::signal(SIGPIPE, SIG_IGN);
}

StopSignals::~StopSignals()
{
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        if (m_caught[i]) std::signal(kEndingSignals[i], SIG_DFL);
    s_stopPipeWrite = -1;
    for (int fd : m_pipe)
        if (fd >= 0) close(fd);
}

}  // namespace quorvana
