// SPDX-License-Identifier: MIT
// Writes a pixel store as an 8-bit RGB PNG with exactly the store's colours.
// The file appears complete or not at all (written aside, then renamed).
#pragma once

#include <string>

#include "render/pixel_store.h"

namespace quorvana {

// Returns an error line, or empty on success.
std::string WritePng(const PixelStore& store, const std::string& path);

}  // namespace quorvana
