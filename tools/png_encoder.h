// Encodes a picture as an 8-bit RGB PNG in memory, with exactly the
// picture's colours. Every platform runs this same code over zlib, so a
// picture gives the same bytes on Linux and on Windows. The exporter's
// encoder threads call it; the file is written by the caller.
#pragma once

#include <string>
#include <vector>

#include "render/pixel_store.h"

namespace quorvana {

// Fills png with the whole file; returns an error line, or empty on success.
std::string EncodePng(const PixelStore& picture, std::vector<unsigned char>& png);

}  // namespace quorvana
