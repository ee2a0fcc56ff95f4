// Reading a small text file whole, and replacing one so that it never holds
// half of anything: after a full disk, a crash or a power cut the file has
// either all of its old bytes or all of the new ones. The new bytes go to a
// temporary file in the same folder, reach the disk (fsync), and only then
// are renamed over the old file. A symbolic link is followed, so that a file
// kept elsewhere and linked stays linked; the old file's permissions (and,
// for root, its owner) are kept. Each returns "" or one line naming the file and the reason.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvana {

// contents: the file's bytes, or nullopt when there is no such file.
std::string ReadWholeFile(const std::string& path, std::optional<std::string>& contents);

std::string ReplaceFile(const std::string& path, std::string_view contents);

}  // namespace quorvana
