// SPDX-License-Identifier: MIT
// GIF's variable-length LZW compression of 8-bit colour indices, as one
// image's data: the minimum code size byte, 255-byte sub-blocks and the
// empty block that ends them. The animation writer calls it once per frame;
// one object serves every frame, so its code table is not rebuilt each time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvana {

class GifLzw {
public:
    GifLzw();

    // Appends the compressed indices to out; count >= 1.
    void Encode(const unsigned char* indices, std::size_t count, std::vector<unsigned char>& out);

private:
    static constexpr int kTableSize = 1 << 13;  // twice the 4096 codes, a power of two

    // The code of string prefix + next, or -1, and where to store it.
    int Find(int prefix, unsigned char next, std::size_t& slot) const;
    void StartTable();

    // An entry is live when its generation is the current one, so a new
    // table costs one increment rather than clearing every entry.
    std::vector<std::uint32_t> m_key;
    std::vector<std::uint16_t> m_code;
    std::vector<std::uint32_t> m_generation;
    std::uint32_t m_current = 0;
};

}  // namespace quorvana
