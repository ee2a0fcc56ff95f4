// SPDX-License-Identifier: MIT
#include "render/pixel_store.h"

#include <algorithm>

namespace quorvana {

PixelStore::PixelStore(int width, int height)
{
    Resize(width, height);
}

PixelStore::PixelStore(int width, int height, int stride, COLORREF* pixels)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_stride(stride), m_pixels(pixels)
{
    ResetClip();
}

void PixelStore::Resize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_stride = m_width;
    m_owned.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), kBlack);
    m_pixels = m_owned.data();
    ResetClip();
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
