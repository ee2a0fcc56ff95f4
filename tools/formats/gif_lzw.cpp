// SPDX-License-Identifier: MIT
#include "tools/formats/gif_lzw.h"

namespace quorvana {

namespace {

constexpr int kMinCodeSize = 8;  // 256 colours
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kFirstFreeCode = kClearCode + 2;
constexpr int kMaxCodes = 4096;  // 12-bit codes at most
constexpr int kMaxCodeBits = 12;

// Packs codes least significant bit first into 255-byte sub-blocks.
class CodeWriter {
public:
    explicit CodeWriter(std::vector<unsigned char>& out) : m_out(out) {}

    void Put(int code, int bits)
    {
        m_bits |= static_cast<std::uint32_t>(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            PutByte(static_cast<unsigned char>(m_bits));
            m_bits >>= 8;
            m_count -= 8;
        }
    }

    void Finish()
    {
        if (m_count > 0) PutByte(static_cast<unsigned char>(m_bits));
        // A block opens with its first byte, so none is left empty.
        if (m_blockUsed > 0) m_out[m_blockAt] = static_cast<unsigned char>(m_blockUsed);
        m_out.push_back(0);
    }

private:
    void PutByte(unsigned char byte)
    {
        if (m_blockUsed == 0) {
            m_blockAt = m_out.size();
            m_out.push_back(0);  // the block's length, set when it is full or done
        }
        m_out.push_back(byte);
        if (++m_blockUsed == 255) {
            m_out[m_blockAt] = 255;
            m_blockUsed = 0;
        }
    }

    std::vector<unsigned char>& m_out;
    std::uint32_t m_bits = 0;
    int m_count = 0;
    std::size_t m_blockAt = 0;
    int m_blockUsed = 0;
};

}  // namespace

GifLzw::GifLzw() : m_key(kTableSize), m_code(kTableSize), m_generation(kTableSize, 0) {}

void GifLzw::StartTable()
{
    ++m_current;
}

int GifLzw::Find(int prefix, unsigned char next, std::size_t& slot) const
{
    const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | next;
    slot = (key * 2654435761u >> 19) & (kTableSize - 1);
    while (m_generation[slot] == m_current) {
        if (m_key[slot] == key) return m_code[slot];
        slot = (slot + 1) & (kTableSize - 1);
    }
    return -1;
}

void GifLzw::Encode(const unsigned char* indices, std::size_t count, std::vector<unsigned char>& out)
{
    out.push_back(kMinCodeSize);
    CodeWriter writer(out);
    int codeBits = kMinCodeSize + 1;
    int nextCode = kFirstFreeCode;
    StartTable();
    writer.Put(kClearCode, codeBits);
    int prefix = indices[0];
    for (std::size_t i = 1; i < count; ++i) {
        std::size_t slot = 0;
        const int found = Find(prefix, indices[i], slot);
        if (found >= 0) {
            prefix = found;
            continue;
        }
        writer.Put(prefix, codeBits);
        if (nextCode < kMaxCodes) {
            m_key[slot] = static_cast<std::uint32_t>(prefix) << 8 | indices[i];
            m_code[slot] = static_cast<std::uint16_t>(nextCode);
            m_generation[slot] = m_current;
            // The decoder learns each code one step later, so the width
            // grows once a code beyond the current width has been made.
            if (++nextCode > (1 << codeBits) && codeBits < kMaxCodeBits) ++codeBits;
        } else {
            writer.Put(kClearCode, codeBits);
            StartTable();
            codeBits = kMinCodeSize + 1;
            nextCode = kFirstFreeCode;
        }
        prefix = indices[i];
    }
    writer.Put(prefix, codeBits);
    writer.Put(kEndCode, codeBits);
    writer.Finish();
}

}  // namespace quorvana
