// SPDX-License-Identifier: MIT
#include "common/read_whole_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/command_line.h"
#include "common/file_descriptor.h"

namespace quorvana {

namespace {

Failure CannotRead(const std::string& path, const std::string& reason)
{
    return Failure::Runtime("cannot read '" + Printable(path) + "': " + reason);
}

}  // namespace

Result<std::optional<std::string>> ReadWholeFile(const std::string& path)
{
    // Non-blocking, so that opening a FIFO returns at once and is refused below.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.Get() < 0) {
        if (errno == ENOENT) return std::optional<std::string>();
        return CannotRead(path, std::strerror(errno));
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) return CannotRead(path, std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return CannotRead(path, "it is not a regular file");
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return CannotRead(path, std::strerror(errno));
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return std::optional<std::string>(std::move(bytes));
}

}  // namespace quorvana
