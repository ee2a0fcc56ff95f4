// SPDX-License-Identifier: MIT
// Encodes a picture as an 8-bit RGB PNG in memory, with exactly the
// picture's colours. Every platform runs this same code over zlib, so a
// picture gives the same bytes on Linux and on Windows. Each of the
// exporter's encoder threads keeps one (tools/encoder_pool.h); the file is
// written by the caller.
#pragma once

#include <memory>
#include <vector>

#include "common/failure.h"
#include "render/pixel_store.h"

namespace quorvana {

class PngEncoder {
public:
    PngEncoder();
    ~PngEncoder();
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    // The whole file.
    Result<std::vector<unsigned char>> Encode(const PixelStore& picture);

private:
    class IdatWriter;
    std::unique_ptr<IdatWriter> m_idat;  // zlib's state, kept from picture to picture
    std::vector<unsigned char> m_row;
    std::vector<unsigned char> m_zeros;
};

}  // namespace quorvana
