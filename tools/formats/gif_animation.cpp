// SPDX-License-Identifier: MIT
#include "tools/formats/gif_animation.h"

#include <algorithm>
#include <new>

#include "tools/formats/not_enough_memory.h"

namespace quorvana {

namespace {

constexpr unsigned char kExtension = 0x21;
constexpr unsigned char kGraphicControl = 0xF9;
constexpr unsigned char kApplication = 0xFF;
constexpr unsigned char kImage = 0x2C;
constexpr unsigned char kTrailer = 0x3B;
// Graphic control: "do not dispose", the frame stays as the next one's ground.
constexpr unsigned char kKeepFrame = 1 << 2;
constexpr int kShortestTrueDelayCs = 2;
constexpr int kLongestDelayCs = 65535;

}  // namespace

GifAnimation::GifAnimation(int width, int height, const std::array<COLORREF, 256>& palette)
{
    static constexpr unsigned char kSignature[] = {'G', 'I', 'F', '8', '9', 'a'};
    m_bytes.assign(kSignature, kSignature + sizeof kSignature);
    PutWord(width);
    PutWord(height);
    // A global palette of 2^(7+1) entries with 8 bits per primary colour.
    m_bytes.insert(m_bytes.end(), {0xF7, 0, 0});
    for (const COLORREF colour : palette)
        m_bytes.insert(m_bytes.end(), {static_cast<unsigned char>(colour & 0xFF), static_cast<unsigned char>(colour >> 8 & 0xFF),
                                       static_cast<unsigned char>(colour >> 16 & 0xFF)});
    // NETSCAPE2.0: repeat forever (a count of 0).
    const char application[] = "NETSCAPE2.0";
    m_bytes.insert(m_bytes.end(), {kExtension, kApplication, 11});
    m_bytes.insert(m_bytes.end(), application, application + 11);
    m_bytes.insert(m_bytes.end(), {3, 1, 0, 0, 0});
}

void GifAnimation::PutWord(int value)
{
    m_bytes.push_back(static_cast<unsigned char>(value & 0xFF));
    m_bytes.push_back(static_cast<unsigned char>(value >> 8 & 0xFF));
}

int GifAnimation::DelayCs(int milliseconds)
{
    m_elapsedMs += milliseconds;
    const long long due = (m_elapsedMs + 5) / 10 - m_shownCs;
    const int delay = static_cast<int>(std::clamp<long long>(due, kShortestTrueDelayCs, kLongestDelayCs));
    m_shownCs += delay;
    return delay;
}

Result<> GifAnimation::AddFrame(const PixelStore& window, const Rect& rect, int milliseconds)
{
    if (!m_indices) {
        m_indices.reset(new (std::nothrow) unsigned char[static_cast<std::size_t>(window.Width()) * window.Height()]);
        if (!m_indices) return Failure::NotEnoughMemoryFor("recording " + PictureOfSize(window.Width(), window.Height()));
    }
    std::size_t count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        const COLORREF* row = window.Row(y);
        for (int x = rect.left; x < rect.right; ++x) {
            if ((row[x] & ~MakeRgb(0, 255, 0)) != 0) return Failure::Runtime("a colour outside the green levels cannot be recorded");
            m_indices[count++] = static_cast<unsigned char>(row[x] >> 8);
        }
    }
    m_bytes.insert(m_bytes.end(), {kExtension, kGraphicControl, 4, kKeepFrame});
    PutWord(DelayCs(milliseconds));
    m_bytes.insert(m_bytes.end(), {0, 0});  // no transparent colour; block end
    m_bytes.push_back(kImage);
    PutWord(rect.left);
    PutWord(rect.top);
    PutWord(rect.Width());
    PutWord(rect.Height());
    m_bytes.push_back(0);  // the global palette, not interlaced
    m_lzw.Encode(m_indices.get(), count, m_bytes);
    return {};
}

Result<> GifAnimation::Finish()
{
    m_bytes.push_back(kTrailer);
    return {};
}

}  // namespace quorvana
