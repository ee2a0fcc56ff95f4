// SPDX-License-Identifier: MIT
#include "tools/png_writer.h"

#include <vector>

#include "common/whole_file.h"
#include "tools/png_encoder.h"

namespace quorvana {

std::string WritePng(const PixelStore& store, const std::string& path)
{
    std::vector<unsigned char> png;
    if (std::string error = EncodePng(store, png); !error.empty()) return "cannot write '" + path + "': " + error;
    return WriteWholeFile(path, BytesOf(png)).value_or("");
}

}  // namespace quorvana
