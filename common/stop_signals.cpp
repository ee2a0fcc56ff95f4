// SPDX-License-Identifier: MIT
#include "common/stop_signals.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "common/ending_signals.h"

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
    for (const int signal : kEndingSignals) sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

StopSignals::~StopSignals()
{
    for (const int signal : kEndingSignals) std::signal(signal, SIG_DFL);
    s_stopPipeWrite = -1;
    for (int fd : m_pipe)
        if (fd >= 0) close(fd);
}

}  // namespace quorvana
