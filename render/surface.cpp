// SPDX-License-Identifier: MIT
#include "render/surface.h"

#include <algorithm>

namespace quorvana {

Rect Intersect(const Rect& a, const Rect& b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.IsEmpty()) return Rect{};
    return r;
}

void Surface::SetRow(int x, int y, const COLORREF* colours, int count)
{
    for (int i = 0; i < count; ++i) SetPixel(x + i, y, colours[i]);
}

void Surface::GetRow(int x, int y, COLORREF* colours, int count) const
{
    for (int i = 0; i < count; ++i) colours[i] = GetPixel(x + i, y);
}

COLORREF* Surface::WritableRow(int, int, int)
{
    return nullptr;
}

const COLORREF* Surface::ReadableRow(int, int, int) const
{
    return nullptr;
}

}  // namespace quorvana
