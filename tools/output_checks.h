// SPDX-License-Identifier: MIT
// Where the exporter will write, checked on disk once the command line is
// good and before any picture is drawn, so that a folder that takes no file
// is named at once rather than after minutes of drawing. A name that cannot
// be a place to write (no such folder, a file where a folder must be) is a
// usage failure (status 2); a folder that exists but takes no file
// (read-only, another user's, a read-only mount) fails as any write does
// (status 1), with the system's reason.
#pragma once

#include <string>

#include "common/failure.h"

namespace quorvana {

// The recording's folder must exist and take a new file, and FILE must not
// be a folder.
[[nodiscard]] Result<> CheckAnimationFile(const std::string& file);

// Creates the folder when its parent exists and checks that a file can be
// made in it.
[[nodiscard]] Result<> PrepareOutputFolder(const std::string& dir);

}  // namespace quorvana
