// SPDX-License-Identifier: MIT
// WholeFile on POSIX systems: open(O_EXCL|O_NOFOLLOW), fsync, rename.
#include "common/whole_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/file_descriptor.h"

namespace quorvana {

namespace {

constexpr int kMostLinks = 40;          // as the kernel follows at most
constexpr int kNameAttempts = 100;      // names taken by others before giving up
constexpr mode_t kModeBits = 07777;

std::string CannotWrite(const std::string& path, const std::string& reason)
{
    return "cannot write '" + path + "': " + reason;
}

std::string Folder(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file that links at `path` lead to, which need not exist; `path` itself
// when it is no link.
LegacyFailure FollowLinks(const std::string& path, std::string& target)
{
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0)
            return errno == ENOENT ? LegacyFailure() : CannotWrite(path, std::strerror(errno));
        if (!S_ISLNK(info.st_mode)) return {};
        if (hops == kMostLinks) return CannotWrite(path, std::strerror(ELOOP));
        char link[PATH_MAX];
        const ssize_t length = ::readlink(target.c_str(), link, sizeof link);
        if (length < 0 || length == sizeof link) return CannotWrite(path, std::strerror(length < 0 ? errno : ENAMETOOLONG));
        const std::string next(link, static_cast<std::size_t>(length));
        target = next.front() == '/' ? next : Folder(target) + "/" + next;
    }
}

// A name no one is likely to have taken: the process, a count and the clock.
std::string UniqueSuffix()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static unsigned s_count = 0;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    unsigned long long seed = (static_cast<unsigned long long>(::getpid()) << 32) ^
                              static_cast<unsigned long long>(now.tv_nsec) ^ (++s_count * 0x9E3779B97F4A7C15ull);
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        suffix += kLetters[(seed >> 33) % (sizeof kLetters - 1)];
    }
    return suffix;
}

// Gives the new file the permissions and owner it must have; see the header.
bool TakeOver(int fd, const std::string& model, const std::string& target)
{
    struct stat info {};
    if (::stat(model.c_str(), &info) == 0) {
        if (::geteuid() == 0 && ::fchown(fd, info.st_uid, info.st_gid) != 0) return false;
        return ::fchmod(fd, info.st_mode & kModeBits) == 0;
    }
    if (::geteuid() == 0 && ::stat(Folder(target).c_str(), &info) == 0 &&
        ::fchown(fd, info.st_uid, info.st_gid) != 0)
        return false;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, 0666 & ~mask) == 0;
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

}  // namespace

class WholeFile::Temporary {
public:
    Temporary(std::string target, std::string name, int fd)
        : target(std::move(target)), name(std::move(name)), fd(fd)
    {
    }
    ~Temporary()
    {
        if (!renamed) ::unlink(name.c_str());
    }

    const std::string target;  // where the bytes go in the end
    const std::string name;    // made by this writer, exclusively
    FileDescriptor fd;
    bool renamed = false;
};

void WholeFile::TemporaryDeleter::operator()(Temporary* temporary) const { delete temporary; }

LegacyFailure WholeFile::Open()
{
    std::string target;
    if (LegacyFailure failure = FollowLinks(m_path, target)) return failure;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return CannotWrite(m_path, "it is not a regular file");
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = target + "." + UniqueSuffix() + ".partial";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return CannotWrite(m_path, std::strerror(errno));
        m_temporary.reset(new Temporary(target, std::move(name), fd));
        if (!TakeOver(fd, m_permissionsFrom.empty() ? target : m_permissionsFrom, target)) {
            const int reason = errno;
            m_temporary.reset();
            return CannotWrite(m_path, std::strerror(reason));
        }
        return {};
    }
    return CannotWrite(m_path, "no unused name for a temporary file beside it");
}

LegacyFailure WholeFile::Write(std::string_view bytes)
{
    if (!WriteAll(m_temporary->fd.Get(), bytes)) return CannotWrite(m_path, std::strerror(errno));
    return {};
}

LegacyFailure WholeFile::Commit()
{
    Temporary& file = *m_temporary;
    // A full disk may show itself only when the data reach it or the file closes.
    if (::fsync(file.fd.Get()) != 0 || !file.fd.Close() || ::rename(file.name.c_str(), file.target.c_str()) != 0)
        return CannotWrite(m_path, std::strerror(errno));
    file.renamed = true;
    const FileDescriptor folder(::open(Folder(file.target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
    return {};
}

}  // namespace quorvana
