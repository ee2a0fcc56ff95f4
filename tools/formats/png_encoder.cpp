// SPDX-License-Identifier: MIT
#include "tools/formats/png_encoder.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <zlib.h>

#include "tools/formats/not_enough_memory.h"

namespace quorvana {

namespace {

constexpr int kBytesPerPixel = 3;
// zlib's output is gathered into IDAT chunks of at most this size.
constexpr std::size_t kIdatChunkBytes = 256 * 1024;
// zlib's default memory level: its blocks pack these pictures as tightly as
// the largest level's and are compressed about a fifth faster.
constexpr int kMemLevel = 8;

enum RowFilter : unsigned char { kFilterNone = 0, kFilterSub = 1, kFilterUp = 2 };

void PutBigEndian(std::vector<unsigned char>& out, std::uint32_t value)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
                                    static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
    out.insert(out.end(), bytes, bytes + 4);
}

void PutChunk(std::vector<unsigned char>& out, const char (&type)[5], const unsigned char* data, std::size_t size)
{
    PutBigEndian(out, static_cast<std::uint32_t>(size));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    const uLong crc = crc32_z(0, out.data() + typeAt, 4 + size);
    PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

bool IsBlack(const COLORREF* pixels, int width)
{
    for (int x = 0; x < width; ++x)
        if (pixels[x] != kBlack) return false;
    return true;
}

// Every other row of a picture in progress is black, and a finished
// picture's drawn rows are long runs of one green level. So: a black row
// unfiltered (its zeros join the runs around it), a row that repeats the
// one above as Up (all zeros too), any other row as Sub, which turns a run
// of one colour into zeros. With zlib's run-length strategy this packs
// about as tightly as libpng's default at a small fraction of its time.
// out holds the filter byte, 3 bytes per pixel and one spare byte. Returns
// false for a row of zeros, whose bytes are left unwritten.
bool FilterRow(const COLORREF* pixels, const COLORREF* above, int width, unsigned char* out)
{
    if (IsBlack(pixels, width)) {
        out[0] = kFilterNone;
        return false;
    }
    if (above && std::memcmp(pixels, above, static_cast<std::size_t>(width) * sizeof(COLORREF)) == 0) {
        out[0] = kFilterUp;
        return false;
    }
    out[0] = kFilterSub;
    unsigned char* rgb = out + 1;
    COLORREF left = kBlack;
    for (int x = 0; x < width; ++x) {
        const COLORREF pixel = pixels[x];
        // Byte by byte pixel − left, modulo 256 as PNG says, in one word:
        // the high bits are set aside so that no borrow crosses a byte.
        const std::uint32_t difference =
            ((pixel | 0x80808080u) - (left & 0x7F7F7F7Fu)) ^ ((pixel ^ ~left) & 0x80808080u);
        // COLORREF keeps red in the low byte. Four bytes are stored at once;
        // the fourth lands on the next pixel's place, or on the spare byte
        // after the row, and is overwritten.
        const unsigned char bytes[4] = {static_cast<unsigned char>(difference), static_cast<unsigned char>(difference >> 8),
                                        static_cast<unsigned char>(difference >> 16), 0};
        std::memcpy(rgb + 3 * x, bytes, 4);
        left = pixel;
    }
    return true;
}

}  // namespace

// A zlib stream written as IDAT chunks. Deflate is zlib's raw form, and the
// stream's header and Adler-32 trailer are written here, so that the
// checksum of a row of zeros costs nothing. One stream serves picture
// after picture: zlib's tables are made once, not faulted in each time.
class PngEncoder::IdatWriter {
public:
    IdatWriter() { m_ok = deflateInit2(&m_stream, 1, Z_DEFLATED, -15, kMemLevel, Z_RLE) == Z_OK; }
    ~IdatWriter()
    {
        if (m_ok) deflateEnd(&m_stream);
    }
    IdatWriter(const IdatWriter&) = delete;
    IdatWriter& operator=(const IdatWriter&) = delete;

    // Starts a stream whose chunks go to png.
    bool Begin(std::vector<unsigned char>& png)
    {
        if (!m_ok || deflateReset(&m_stream) != Z_OK) return false;
        m_png = &png;
        m_adler = 1;
        // Deflate, 32 KiB window, the fastest level; 0x7801 is a multiple of 31.
        m_chunk[0] = 0x78;
        m_chunk[1] = 0x01;
        m_used = 2;
        return true;
    }

    // Compresses one filtered row; zeros says it holds nothing but zeros.
    bool AddRow(const unsigned char* row, std::size_t size, bool zeros)
    {
        // The Adler-32 of n zeros: its byte sum stays 1 and its running sum is n.
        const uLong rowAdler = zeros ? (static_cast<uLong>(size % 65521) << 16 | 1) : adler32_z(1, row, size);
        m_adler = adler32_combine(m_adler, rowAdler, static_cast<z_off_t>(size));
        return Deflate(row, size, Z_NO_FLUSH);
    }

    // Ends the stream with its checksum and writes the last chunk.
    bool Finish()
    {
        if (!Deflate(nullptr, 0, Z_FINISH)) return false;
        for (int shift = 24; shift >= 0; shift -= 8) {
            if (m_used == m_chunk.size()) PutIdat();
            m_chunk[m_used++] = static_cast<unsigned char>(m_adler >> shift);
        }
        PutIdat();
        return true;
    }

private:
    bool Deflate(const unsigned char* data, std::size_t size, int flush)
    {
        m_stream.next_in = const_cast<unsigned char*>(data);
        m_stream.avail_in = static_cast<uInt>(size);
        int status = Z_OK;
        do {
            if (m_used == m_chunk.size()) PutIdat();
            m_stream.next_out = m_chunk.data() + m_used;
            m_stream.avail_out = static_cast<uInt>(m_chunk.size() - m_used);
            status = deflate(&m_stream, flush);
            if (status == Z_STREAM_ERROR) return false;
            m_used = m_chunk.size() - m_stream.avail_out;
        } while (m_stream.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
        return true;
    }

    void PutIdat()
    {
        PutChunk(*m_png, "IDAT", m_chunk.data(), m_used);
        m_used = 0;
    }

    std::vector<unsigned char>* m_png = nullptr;
    z_stream m_stream{};
    bool m_ok = false;
    uLong m_adler = 1;
    std::vector<unsigned char> m_chunk = std::vector<unsigned char>(kIdatChunkBytes);
    std::size_t m_used = 0;
};

PngEncoder::PngEncoder() : m_idat(std::make_unique<IdatWriter>()) {}

PngEncoder::~PngEncoder() = default;

Result<std::vector<unsigned char>> PngEncoder::Encode(const PixelStore& picture)
{
    std::vector<unsigned char> png;
    const int width = picture.Width();
    const int height = picture.Height();
    static constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.assign(kSignature, kSignature + sizeof kSignature);

    // Width, height, 8 bits per channel, colour type 2 (RGB), deflate,
    // adaptive filters, no interlace.
    const unsigned char header[13] = {
        static_cast<unsigned char>(width >> 24),  static_cast<unsigned char>(width >> 16),
        static_cast<unsigned char>(width >> 8),   static_cast<unsigned char>(width),
        static_cast<unsigned char>(height >> 24), static_cast<unsigned char>(height >> 16),
        static_cast<unsigned char>(height >> 8),  static_cast<unsigned char>(height),
        8, 2, 0, 0, 0};
    PutChunk(png, "IHDR", header, sizeof header);

    if (!m_idat->Begin(png)) return Failure::NotEnoughMemoryFor("encoding " + PictureOfSize(width, height));
    // Rows of zeros are all alike: they are fed from one buffer kept zero.
    const std::size_t rowBytes = 1 + static_cast<std::size_t>(width) * kBytesPerPixel;
    m_row.resize(rowBytes + 1);  // FilterRow writes one byte past a row
    m_zeros.assign(rowBytes, 0);
    unsigned char* row = m_row.data();
    unsigned char* zeros = m_zeros.data();
    for (int y = 0; y < height; ++y) {
        const bool filled = FilterRow(picture.Row(y), y > 0 ? picture.Row(y - 1) : nullptr, width, row);
        zeros[0] = row[0];
        const bool allZero = !filled && row[0] == kFilterNone;
        if (!m_idat->AddRow(filled ? row : zeros, rowBytes, allZero)) return Failure::Runtime("the PNG compressor failed");
    }
    if (!m_idat->Finish()) return Failure::Runtime("the PNG compressor failed");
    PutChunk(png, "IEND", nullptr, 0);
    return png;
}

}  // namespace quorvana
