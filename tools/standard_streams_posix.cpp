// SPDX-License-Identifier: MIT
// GuardStandardStreams where a new file takes the lowest free descriptor.
#include "tools/standard_streams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quorvana {

Result<> GuardStandardStreams()
{
    bool outputClosed = false;
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        outputClosed = outputClosed || fd == STDOUT_FILENO;
        // The lowest free number is this one: /dev/null holds it.
        if (::open("/dev/null", O_RDWR) != fd) return Failure::Runtime("cannot open /dev/null");
    }
    if (outputClosed) return Failure::Runtime("cannot write the report: standard output is closed");
    return {};
}

}  // namespace quorvana
