// SPDX-License-Identifier: MIT
#include "render/pixel_store.h"

#include <algorithm>
#include <limits>
#include <new>

namespace quorvana {

namespace {
std::size_t PixelCount(int width, int height)
{
    return static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0));
}
}  // namespace

// make_unique zeroes the pixels, and zero is black.
PixelStore::PixelStore(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_stride(m_width),
      m_owned(std::make_unique<COLORREF[]>(PixelCount(width, height))), m_ownedCount(PixelCount(width, height))
{
    static_assert(kBlack == 0);
    m_pixels = m_owned.get();
    ResetClip();
}

PixelStore::PixelStore(int width, int height, int stride, COLORREF* pixels)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_stride(stride), m_pixels(pixels)
{
    ResetClip();
}

bool PixelStore::Resize(int width, int height)
{
    const std::size_t count = PixelCount(width, height);
    // The memory of a store of the same count is kept: the exporter's
    // encoder copies reuse theirs picture after picture.
    if (!m_owned || m_ownedCount != count) {
        m_owned.reset();
        m_ownedCount = 0;
        // A count beyond any address space would make new throw, nothrow or not.
        if (count <= static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max()) / sizeof(COLORREF))
            m_owned.reset(new (std::nothrow) COLORREF[count]);
        if (m_owned) m_ownedCount = count;
    }
    const bool made = m_owned != nullptr;
    m_width = made ? std::max(width, 0) : 0;
    m_height = made ? std::max(height, 0) : 0;
    m_stride = m_width;
    m_pixels = m_owned.get();
    std::fill(m_pixels, m_pixels + m_ownedCount, kBlack);
    ResetClip();
    return made;
}

void PixelStore::SetClip(const Rect& clip)
{
    m_clip = Intersect(clip, Bounds());
}

void PixelStore::SetPixel(int x, int y, COLORREF colour)
{
    if (m_clip.Contains(x, y)) MutableRow(y)[x] = colour;
}

COLORREF PixelStore::GetPixel(int x, int y) const
{
    return m_clip.Contains(x, y) ? Row(y)[x] : kNoPixel;
}

void PixelStore::FillBlack(const Rect& rect)
{
    const Rect r = Intersect(rect, m_clip);
    for (int y = r.top; y < r.bottom; ++y) std::fill(MutableRow(y) + r.left, MutableRow(y) + r.right, kBlack);
}

// The row is clipped to [first, last) in x; index arithmetic in 64 bits so
// that far-off coordinates cannot overflow.
void PixelStore::SetRow(int x, int y, const COLORREF* colours, int count)
{
    if (y < m_clip.top || y >= m_clip.bottom) return;
    const long long first = std::max<long long>(x, m_clip.left);
    const long long last = std::min<long long>(static_cast<long long>(x) + count, m_clip.right);
    if (first < last) std::copy(colours + (first - x), colours + (last - x), MutableRow(y) + first);
}

void PixelStore::GetRow(int x, int y, COLORREF* colours, int count) const
{
    if (count <= 0) return;
    long long first = x;
    long long last = x;
    if (y >= m_clip.top && y < m_clip.bottom) {
        first = std::max<long long>(x, m_clip.left);
        last = std::min<long long>(static_cast<long long>(x) + count, m_clip.right);
    }
    if (first >= last) {
        std::fill(colours, colours + count, kNoPixel);
        return;
    }
    // Copy the span inside the clip in one go; everything else reads kNoPixel.
    std::fill(colours, colours + (first - x), kNoPixel);
    std::copy(Row(y) + first, Row(y) + last, colours + (first - x));
    std::fill(colours + (last - x), colours + count, kNoPixel);
}

bool PixelStore::SpanInsideClip(int x, int y, int count) const
{
    return count > 0 && y >= m_clip.top && y < m_clip.bottom && x >= m_clip.left &&
           static_cast<long long>(x) + count <= m_clip.right;
}

COLORREF* PixelStore::WritableRow(int x, int y, int count)
{
    return SpanInsideClip(x, y, count) ? MutableRow(y) + x : nullptr;
}

const COLORREF* PixelStore::ReadableRow(int x, int y, int count) const
{
    return SpanInsideClip(x, y, count) ? Row(y) + x : nullptr;
}

}  // namespace quorvana
