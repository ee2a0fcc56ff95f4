// SPDX-License-Identifier: MIT
// Reading a small text file whole (~/.xscreensaver, the app-defaults file),
// without waiting on what is not a regular file: a FIFO or a device there
// is refused at once. Files are written by common/whole_file.h.
#pragma once

#include <optional>
#include <string>

#include "common/failure.h"

namespace quorvana {

// contents: the file's bytes, or nullopt when there is no such file.
[[nodiscard]] LegacyFailure ReadWholeFile(const std::string& path, std::optional<std::string>& contents);

}  // namespace quorvana
