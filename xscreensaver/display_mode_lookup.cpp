// SPDX-License-Identifier: MIT
#include "xscreensaver/display_mode_lookup.h"

#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvana {

namespace {

bool IsProgram(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

bool XscreensaverFinds(const std::string& program, const std::string& modeFolder, const char* pathVariable)
{
    if (IsProgram(modeFolder + "/" + program)) return true;
    std::string_view folders = pathVariable ? pathVariable : "";
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        // An empty entry of $PATH names the current folder.
        if (IsProgram((folder.empty() ? std::string(".") : std::string(folder)) + "/" + program)) return true;
        if (colon == std::string_view::npos) break;
        folders.remove_prefix(colon + 1);
    }
    return false;
}

}  // namespace quorvana
