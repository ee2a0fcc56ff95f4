// SPDX-License-Identifier: MIT
// An in-memory 32-bit picture with a clip rectangle: the backing store of
// every fractal window and of the exporter. It either owns its pixels or
// wraps memory that a front end allocated (the Windows window's DIB section).
// Pixels outside the clip are neither written nor readable.
//
// A store of a picture's size is made with Resize, which says when memory
// runs out instead of throwing, so that a program can name the picture it
// could not make; the sizing constructor is for stores of a few pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "render/surface.h"

namespace quorvana {

class PixelStore final : public Surface {
public:
    PixelStore() = default;
    PixelStore(int width, int height);                       // owns its pixels, all black; may throw bad_alloc
    PixelStore(int width, int height, int stride, COLORREF* pixels);  // wraps foreign memory
    PixelStore(const PixelStore&) = delete;
    PixelStore& operator=(const PixelStore&) = delete;
    PixelStore(PixelStore&&) = default;  // the owned buffer moves with its pointer
    PixelStore& operator=(PixelStore&&) = default;

    // Resizes an owning store; contents become black and the clip the whole
    // store. False when memory runs out: the store is then empty (0 x 0).
    [[nodiscard]] bool Resize(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const COLORREF* Row(int y) const { return m_pixels + static_cast<std::ptrdiff_t>(y) * m_stride; }

    // The clip is always kept inside the store.
    void SetClip(const Rect& clip);
    void ResetClip() { SetClip(Bounds()); }
    const Rect& Clip() const { return m_clip; }
    Rect Bounds() const { return Rect{0, 0, m_width, m_height}; }

    void SetPixel(int x, int y, COLORREF colour) override;
    COLORREF GetPixel(int x, int y) const override;
    void FillBlack(const Rect& rect) override;
    Rect ClientRect() const override { return Bounds(); }
    void SetRow(int x, int y, const COLORREF* colours, int count) override;
    void GetRow(int x, int y, COLORREF* colours, int count) const override;
    COLORREF* WritableRow(int x, int y, int count) override;
    const COLORREF* ReadableRow(int x, int y, int count) const override;

private:
    bool SpanInsideClip(int x, int y, int count) const;
    COLORREF* MutableRow(int y) { return m_pixels + static_cast<std::ptrdiff_t>(y) * m_stride; }

    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    COLORREF* m_pixels = nullptr;
    std::unique_ptr<COLORREF[]> m_owned;
    std::size_t m_ownedCount = 0;
    Rect m_clip;
};

}  // namespace quorvana
