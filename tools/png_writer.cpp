#include "tools/png_writer.h"

#include <vector>

#include "tools/atomic_file.h"
#include "tools/png_encoder.h"

namespace quorvana {

std::string WritePng(const PixelStore& store, const std::string& path)
{
    std::vector<unsigned char> png;
    if (std::string error = EncodePng(store, png); !error.empty()) return "cannot write '" + path + "': " + error;
    return WriteFileAtomically(path, png);
}

}  // namespace quorvana
