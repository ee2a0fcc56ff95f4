// SPDX-License-Identifier: MIT
// Where the exporter will write, checked on disk once the command line is
// good and before any picture is drawn, so that a folder that takes no file
// is named at once (status 2) rather than after minutes of drawing.
#pragma once

#include <string>

#include "common/failure.h"

namespace quorvana {

// The recording's folder must exist and take a new file, and FILE must not
// be a folder.
[[nodiscard]] LegacyFailure CheckAnimationFile(const std::string& file);

// Creates the folder when its parent exists and checks that a file can be
// made in it.
[[nodiscard]] LegacyFailure PrepareOutputFolder(const std::string& dir);

}  // namespace quorvana
