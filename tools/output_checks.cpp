// SPDX-License-Identifier: MIT
#include "tools/output_checks.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "common/command_line.h"

namespace quorvana {

namespace {

// Write permission alone says little to root or on a read-only mount: try,
// so that a folder that takes no file is named before any picture is drawn.
bool CanCreateFileIn(const std::filesystem::path& folder)
{
    const std::string probe = (folder / ".quorvana-write-test").string();
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return errno == EEXIST;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

}  // namespace

LegacyFailure CheckAnimationFile(const std::string& file)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path(file);
    const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (!fs::is_directory(parent, ec)) return "--animation: the folder of '" + Printable(file) + "' does not exist";
    if (fs::is_directory(path, ec)) return "--animation: '" + Printable(file) + "' is a folder";
    if (!CanCreateFileIn(parent)) return "--animation: cannot write into the folder of '" + Printable(file) + "'";
    return {};
}

LegacyFailure PrepareOutputFolder(const std::string& dir)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path(dir);
    if (!fs::exists(path, ec)) {
        const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
        if (!fs::is_directory(parent, ec))
            return "--out: '" + Printable(dir) + "' does not exist and neither does its parent folder";
        // Another exporter may make the same folder meanwhile: a folder
        // already there is no failure.
        fs::create_directory(path, ec);
        if (ec) return "--out: cannot create '" + Printable(dir) + "': " + ec.message();
    }
    if (!fs::is_directory(path, ec)) return "--out: '" + Printable(dir) + "' is not a folder";
    if (!CanCreateFileIn(path)) return "--out: cannot write into '" + Printable(dir) + "'";
    return {};
}

}  // namespace quorvana
