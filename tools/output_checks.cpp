// SPDX-License-Identifier: MIT
#include "tools/output_checks.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "common/command_line.h"

namespace quorvana {

namespace {

// A path from a name given in UTF-8 (on Windows too: windows/quorvana_render.manifest);
// a plain string would be taken in another code page there.
std::filesystem::path PathOf(const std::string& name)
{
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

// Write permission alone says little to root or on a read-only mount: try,
// so that a folder that takes no file is named before any picture is drawn.
// The system's reason when it takes none.
Result<> CanCreateFileIn(const std::string& folder, const std::string& what)
{
    const std::string probe = folder + "/.quorvana-write-test";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        if (errno == EEXIST) return {};
        return Failure::Runtime(what + ": " + std::strerror(errno));
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}

}  // namespace

Result<> CheckAnimationFile(const std::string& file)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path = PathOf(file);
    const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (!fs::is_directory(parent, ec))
        return Failure::Usage("--animation: the folder of '" + Printable(file) + "' does not exist");
    if (fs::is_directory(path, ec)) return Failure::Usage("--animation: '" + Printable(file) + "' is a folder");
    const std::u8string folder = parent.u8string();
    return CanCreateFileIn(std::string(folder.begin(), folder.end()),
                           "--animation: cannot write into the folder of '" + Printable(file) + "'");
}

Result<> PrepareOutputFolder(const std::string& dir)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path = PathOf(dir);
    if (!fs::exists(path, ec)) {
        const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
        if (!fs::is_directory(parent, ec))
            return Failure::Usage("--out: '" + Printable(dir) + "' does not exist and neither does its parent folder");
        // Another exporter may make the same folder meanwhile: a folder
        // already there is no failure.
        fs::create_directory(path, ec);
        if (ec) return Failure::Runtime("--out: cannot create '" + Printable(dir) + "': " + ec.message());
    }
    if (!fs::is_directory(path, ec)) return Failure::Usage("--out: '" + Printable(dir) + "' is not a folder");
    return CanCreateFileIn(dir, "--out: cannot write into '" + Printable(dir) + "'");
}

}  // namespace quorvana
