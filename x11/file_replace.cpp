#include "x11/file_replace.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvana {

namespace {

// A file descriptor that closes itself.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    // Closes now, for the caller that must know whether the close worked.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

std::string Failure(const std::string& what, const std::string& path)
{
    return "cannot " + what + " '" + path + "': " + std::strerror(errno);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The path the new bytes must finally have: the target of a link, or itself.
std::string FinalPath(const std::string& path)
{
    char resolved[PATH_MAX];
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && ::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

// Gives the new file the old one's permissions and, when run as root (say
// under sudo), its owner; a new file gets what the umask leaves of rw-rw-rw-.
bool TakeOver(int fd, const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0;
    }
    if (::geteuid() == 0 && ::fchown(fd, info.st_uid, info.st_gid) != 0) return false;
    return ::fchmod(fd, info.st_mode & 07777) == 0;
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::optional<std::string>& contents)
{
    contents.reset();
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return errno == ENOENT ? std::string() : Failure("read", path);
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) return Failure("read", path);
    if (!S_ISREG(info.st_mode)) return "cannot read '" + path + "': it is not a regular file";
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Failure("read", path);
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    contents = std::move(bytes);
    return {};
}

std::string ReplaceFile(const std::string& path, std::string_view contents)
{
    const std::string target = FinalPath(path);
    std::string temporary = target + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.Get() < 0) return Failure("write a file beside", target);
    bool written = TakeOver(fd.Get(), target) && WriteAll(fd.Get(), contents) &&
                   ::fsync(fd.Get()) == 0;
    int reason = errno;
    if (!fd.Close() && written) {
        written = false;
        reason = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        errno = reason;
        return Failure("write", target);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const std::string error = Failure("replace", target);
        ::unlink(temporary.c_str());
        return error;
    }
    // The rename itself reaches the disk with the folder.
    const std::string folder = target.substr(0, target.find_last_of('/') + 1);
    FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
    return {};
}

}  // namespace quorvana
