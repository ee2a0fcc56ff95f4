// SPDX-License-Identifier: MIT
// A POSIX file descriptor that closes itself (the POSIX builds' file code).
#pragma once

#include <unistd.h>

namespace quorvana {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    // Closes now, for the caller that must know whether the close worked.
    [[nodiscard]] bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

}  // namespace quorvana
