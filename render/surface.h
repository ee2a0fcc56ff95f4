// SPDX-License-Identifier: MIT
// The drawing surface the renderer works through: the four operations of a
// window's device context (set pixel, read pixel, fill black, client
// rectangle) and four row-wise forms of them for speed (set and read a row,
// a row's memory to write or read in place). Implemented by PixelStore and
// by DirtySurface, which passes them on to a store and remembers what they
// wrote; front ends present the store.
#pragma once

#include "render/colour.h"

namespace quorvana {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

inline bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

Rect Intersect(const Rect& a, const Rect& b);

class Surface {
public:
    virtual ~Surface() = default;

    // Sets one pixel; a point outside the surface or its clip changes nothing.
    virtual void SetPixel(int x, int y, COLORREF colour) = 0;
    // The pixel's colour, or kNoPixel outside the surface or its clip.
    virtual COLORREF GetPixel(int x, int y) const = 0;
    // Paints the rectangle black within the clip.
    virtual void FillBlack(const Rect& rect) = 0;
    // The client area; its left and top are 0.
    virtual Rect ClientRect() const = 0;

    // Bulk forms of set and read pixel for one row, with the same clipping
    // per pixel; a pixel store overrides them with direct memory access.
    virtual void SetRow(int x, int y, const COLORREF* colours, int count);
    virtual void GetRow(int x, int y, COLORREF* colours, int count) const;
    // The memory of a span of one row when all of it lies inside the clip,
    // so that a writer can fill the row in place; null otherwise.
    virtual COLORREF* WritableRow(int x, int y, int count);
    // The same for reading: a span wholly inside the clip, or null.
    virtual const COLORREF* ReadableRow(int x, int y, int count) const;
};

}  // namespace quorvana
