// SPDX-License-Identifier: MIT
// Reading a small text file whole (~/.xscreensaver, the app-defaults file),
// without waiting on what is not a regular file: a FIFO or a device there
// is refused at once. POSIX systems only, as its callers (xscreensaver/)
// are. The writing counterpart is whole_file.h.
#pragma once

#include <optional>
#include <string>

#include "common/failure.h"

namespace quorvana {

// The file's bytes, or nullopt when there is no such file; a failure
// ("cannot read 'PATH': REASON") when there is one that cannot be read.
[[nodiscard]] Result<std::optional<std::string>> ReadWholeFile(const std::string& path);

}  // namespace quorvana
