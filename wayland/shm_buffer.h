// SPDX-License-Identifier: MIT
// One picture's worth of memory shared with the compositor: an anonymous
// memfd, mapped here and handed over as a wl_shm buffer of 32-bit XRGB
// pixels. In that format a pixel is 0x00RRGGBB, which for the pictures' pure
// greens and black is the renderer's COLORREF as it is (render/colour.h), so
// in the specified look the renderer draws straight into the buffer; other
// looks are packed into it (surface_presenter.h).
//
// Once attached and committed the compositor may read the buffer until it
// sends release: Busy() says so, and nothing may be written into it then.
#pragma once

#include <cstdint>
#include <memory>

#include <wayland-client.h>

#include "common/failure.h"
#include "render/colour.h"
#include "wayland/proxy.h"

namespace quorvana {

class ShmBuffer {
public:
    // A black buffer of width × height pixels.
    [[nodiscard]] static Result<std::unique_ptr<ShmBuffer>> Create(wl_shm* shm, int width, int height);
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int StridePixels() const { return m_width; }
    COLORREF* Pixels() const { return m_pixels; }
    wl_buffer* Buffer() const { return m_buffer.get(); }

    bool Busy() const { return m_busy; }
    // Called as the buffer is committed: the compositor holds it from now on.
    void MarkBusy() { m_busy = true; }

private:
    ShmBuffer(int width, int height) : m_width(width), m_height(height) {}
    static const wl_buffer_listener s_listener;
    static void OnRelease(void* data, wl_buffer* buffer);

    int m_width;
    int m_height;
    COLORREF* m_pixels = nullptr;
    std::size_t m_bytes = 0;
    Proxy<wl_buffer> m_buffer;
    bool m_busy = false;
};

}  // namespace quorvana
