// SPDX-License-Identifier: MIT
// WholeFile on POSIX systems: openat(O_EXCL|O_NOFOLLOW) in the folder, the
// old file's owner, mode, ACL (libacl) and extended attributes carried over,
// fsync, renameat. Everything happens relative to the folder, so a long
// path is no longer for the temporary file than for the final one.
#include "common/whole_file.h"

#include <acl/libacl.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <type_traits>
#include <unistd.h>

#include "common/file_descriptor.h"
#include "common/temporary_name.h"

namespace quorvana {

using whole_file::CannotWrite;

namespace {

constexpr int kMostLinks = 40;  // as the kernel follows at most
constexpr mode_t kModeBits = 07777;
constexpr std::size_t kUsualNameLimit = NAME_MAX;

std::string Reason() { return std::strerror(errno); }

std::string Folder(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string LastName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that links at `path` lead to, which need not exist; `path` itself
// when it is no link.
Result<std::string> FollowLinks(const std::string& path)
{
    std::string target = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0) {
            if (errno == ENOENT) return target;
            return CannotWrite(path, Reason());
        }
        if (!S_ISLNK(info.st_mode)) return target;
        if (hops == kMostLinks) return CannotWrite(path, std::strerror(ELOOP));
        char link[PATH_MAX];
        const ssize_t length = ::readlink(target.c_str(), link, sizeof link);
        if (length < 0 || length == sizeof link) return CannotWrite(path, std::strerror(length < 0 ? errno : ENAMETOOLONG));
        const std::string next(link, static_cast<std::size_t>(length));
        target = next.front() == '/' ? next : Folder(target) + "/" + next;
    }
}

// An existing file may be replaced: a regular file the user may write, with
// one name. faccessat asks the kernel itself (mode, ACL, immutable flag,
// read-only mount; root passes where root may write).
Result<> CheckReplaceable(int folder, const std::string& name, const struct stat& old, const std::string& shown)
{
    if (!S_ISREG(old.st_mode)) return CannotWrite(shown, "it is not a regular file");
    if (::faccessat(folder, name.c_str(), W_OK, AT_EACCESS) != 0) return CannotWrite(shown, Reason());
    if (old.st_nlink > 1)
        return CannotWrite(shown, "it has " + std::to_string(old.st_nlink) +
                                      " hard links, which replacing it would split (a symbolic link is followed)");
    return {};
}

// The longest file name the folder's file system takes.
std::size_t NameLimit(int folder)
{
    const long limit = ::fpathconf(folder, _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : kUsualNameLimit;
}

struct AclDeleter {
    void operator()(void* acl) const { ::acl_free(acl); }
};
using Acl = std::unique_ptr<std::remove_pointer_t<acl_t>, AclDeleter>;

// The model's access ACL on the new file. An ACL that says no more than the
// mode needs setting only to replace one the new file took from its folder's
// default ACL; the file systems without ACLs have neither.
Result<> CopyAcl(const std::string& model, int fd, const std::string& shown)
{
    const Acl acl(::acl_get_file(model.c_str(), ACL_TYPE_ACCESS));
    if (!acl) {
        if (errno == ENOTSUP) return {};
        return CannotWrite(shown, "its access control list cannot be read: " + Reason());
    }
    if (::acl_equiv_mode(acl.get(), nullptr) == 0 && ::acl_extended_fd(fd) != 1) return {};
    if (::acl_set_fd(fd, acl.get()) != 0)
        return CannotWrite(shown, "its access control list cannot be kept: " + Reason());
    return {};
}

// One extended attribute's value, or a list of names: get(buffer, size)
// called again with more room while the value grows under it.
template <typename Get>
Result<std::string> ReadSized(Get get, const std::string& shown, const std::string& what)
{
    for (;;) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0) return CannotWrite(shown, what + " cannot be read: " + Reason());
        std::string bytes(static_cast<std::size_t>(size), '\0');
        const ssize_t got = get(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return bytes;
        }
        if (errno != ERANGE) return CannotWrite(shown, what + " cannot be read: " + Reason());
    }
}

bool IsAclName(std::string_view name)
{
    return name == "system.posix_acl_access" || name == "system.posix_acl_default";
}

// The model's extended attributes on the new file (the ACL's own, above, apart).
Result<> CopyAttributes(const std::string& model, int fd, const std::string& shown)
{
    if (::listxattr(model.c_str(), nullptr, 0) < 0 && errno == ENOTSUP) return {};
    const std::string names = TRY(ReadSized(
        [&](char* buffer, std::size_t size) { return ::listxattr(model.c_str(), buffer, size); }, shown,
        "its extended attributes"));
    for (std::size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
        const std::string name(names.c_str() + at);
        if (IsAclName(name)) continue;
        const std::string what = "its extended attribute '" + name + "'";
        const std::string value = TRY(ReadSized(
            [&](char* buffer, std::size_t size) { return ::getxattr(model.c_str(), name.c_str(), buffer, size); },
            shown, what));
        // One the system gave the new file already (a security label) needs no right to set.
        std::string present(value.size() + 1, '\0');
        if (::fgetxattr(fd, name.c_str(), present.data(), present.size()) == static_cast<ssize_t>(value.size()) &&
            present.compare(0, value.size(), value) == 0)
            continue;
        if (::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0)
            return CannotWrite(shown, what + " cannot be kept: " + Reason());
    }
    return {};
}

// The owner and group: root gives the new file the old one's (or a new one
// its folder's); a user keeps the group where the user is in it, and must
// not hand the group's rights to another group.
Result<> CopyOwner(int fd, const struct stat& model, const std::string& shown)
{
    if (::geteuid() == 0) {
        if (::fchown(fd, model.st_uid, model.st_gid) != 0) return CannotWrite(shown, Reason());
        return {};
    }
    struct stat made {};
    if (::fstat(fd, &made) != 0) return CannotWrite(shown, Reason());
    if (made.st_gid == model.st_gid || ::fchown(fd, static_cast<uid_t>(-1), model.st_gid) == 0) return {};
    const mode_t groupOnly = (model.st_mode >> 3) & 7 & ~model.st_mode;
    if (groupOnly == 0) return {};  // the group may read or write nothing the others may not
    return CannotWrite(shown, "its group (" + std::to_string(model.st_gid) + ") cannot be kept: " + Reason());
}

}  // namespace

class WholeFile::Temporary {
public:
    Temporary(int folder, std::string target) : folder(folder), target(std::move(target))
    {
    }
    ~Temporary()
    {
        if (fd && !renamed) ::unlinkat(folder.Get(), name.c_str(), 0);
    }

    const FileDescriptor folder;  // O_PATH: where both names live
    const std::string target;     // the final name in the folder
    std::string name;              // made by this writer, exclusively
    std::optional<FileDescriptor> fd;
    bool renamed = false;
};

void WholeFile::TemporaryDeleter::operator()(Temporary* temporary) const { delete temporary; }

Result<> WholeFile::Open()
{
    const std::string target = TRY(FollowLinks(m_path));
    const std::string folderPath = Folder(target), name = LastName(target);
    if (name.empty()) return CannotWrite(m_path, std::strerror(EISDIR));
    const int folderFd = ::open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return CannotWrite(m_path, Reason());
    // Owns the folder now, and the temporary file once made: both go with it on a failure.
    std::unique_ptr<Temporary, TemporaryDeleter> temporary(new Temporary(folderFd, name));
    const int folder = temporary->folder.Get();
    struct stat old {};
    const bool replacing = ::fstatat(folder, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!replacing && errno != ENOENT) return CannotWrite(m_path, Reason());
    if (replacing) TRY(CheckReplaceable(folder, name, old, m_path));

    // What the new file must carry comes from the model; without one, the
    // file is made as any new file is (the umask or the folder's default ACL).
    const std::string model = !m_permissionsFrom.empty() ? m_permissionsFrom : replacing ? target : std::string();
    struct stat modelInfo {};
    if (!model.empty() && ::stat(model.c_str(), &modelInfo) != 0) return CannotWrite(m_path, Reason());
    const mode_t creationMode = model.empty() ? 0666 : 0600;

    const std::size_t longestName = NameLimit(folder);
    TRY(whole_file::CreateTemporary(
        [&](const std::string& suffix) -> Result<whole_file::Created> {
            std::string candidate = whole_file::TemporaryName<char>(name, suffix, longestName);
            const int fd = ::openat(folder, candidate.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, creationMode);
            if (fd < 0 && errno == EEXIST) return whole_file::Created::NameTaken;
            if (fd < 0) return CannotWrite(m_path, Reason());
            temporary->name = std::move(candidate);
            temporary->fd.emplace(fd);
            return whole_file::Created::Made;
        },
        m_path));

    const int fd = temporary->fd->Get();
    if (model.empty()) {
        struct stat folderInfo {};
        if (::geteuid() == 0 && ::fstat(folder, &folderInfo) == 0 &&
            ::fchown(fd, folderInfo.st_uid, folderInfo.st_gid) != 0)
            return CannotWrite(m_path, Reason());
    } else {
        TRY(CopyOwner(fd, modelInfo, m_path));
        // The mode first: setting the ACL then sets the group bits from its mask.
        if (::fchmod(fd, modelInfo.st_mode & kModeBits) != 0) return CannotWrite(m_path, Reason());
        TRY(CopyAcl(model, fd, m_path));
        TRY(CopyAttributes(model, fd, m_path));
    }
    m_temporary = std::move(temporary);
    return {};
}

Result<> WholeFile::Write(std::string_view bytes)
{
    const int fd = m_temporary->fd->Get();
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO;
        if (written <= 0) return CannotWrite(m_path, Reason());
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

Result<> WholeFile::Commit()
{
    Temporary& file = *m_temporary;
    // A full disk may show itself only when the data reach it or the file closes.
    if (::fsync(file.fd->Get()) != 0 || !file.fd->Close()) return CannotWrite(m_path, Reason());
    // A second name given to the file while this one was written would be
    // split from it by the rename, as at Open.
    struct stat now {};
    if (::fstatat(file.folder.Get(), file.target.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0)
        TRY(CheckReplaceable(file.folder.Get(), file.target, now, m_path));
    if (::renameat(file.folder.Get(), file.name.c_str(), file.folder.Get(), file.target.c_str()) != 0)
        return CannotWrite(m_path, Reason());
    file.renamed = true;
    const FileDescriptor folder(::openat(file.folder.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
    return {};
}

}  // namespace quorvana
