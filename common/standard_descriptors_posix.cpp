// SPDX-License-Identifier: MIT
// GuardStandardDescriptors where a new file takes the lowest free descriptor.
#include "common/standard_descriptors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quorvana {

Result<ClosedStandardDescriptors> GuardStandardDescriptors()
{
    ClosedStandardDescriptors closed;
    bool* const found[] = {&closed.input, &closed.output, &closed.error};
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        *found[fd] = true;
        // The lowest free number is this one: /dev/null holds it.
        if (::open("/dev/null", O_RDWR) != fd) return Failure::Runtime("cannot open /dev/null");
    }
    return closed;
}

}  // namespace quorvana
