// SPDX-License-Identifier: MIT
// How one surface's pictures reach the compositor: the pixel store the
// renderer draws into is the memory of a wl_shm buffer (shm_buffer.h), and
// each commit attaches it with only the rows drawn since the last commit
// marked as damaged. At most one commit waits for each frame callback, so a
// fast pace draws several rows per output frame and sends them together.
//
// A buffer the compositor holds (committed, not yet released) is never
// written. When the renderer needs to draw and the one buffer is held, a
// second is made, brought up to date with the rows that differ (at first:
// all of them), and becomes the one drawn into; after that the two take
// turns, each catching up only on the rows drawn into the other since. A
// compositor that copies what it is given and releases at once (GL
// renderers) never causes the second; one that reads the client's memory
// while showing it (pixman) needs both. When both are held, the tick waits.
#pragma once

#include <memory>

#include <wayland-client.h>

#include "common/failure.h"
#include "render/pixel_store.h"
#include "wayland/proxy.h"
#include "wayland/shm_buffer.h"

namespace quorvana {

// Rows top … bottom − 1; empty when bottom ≤ top.
struct RowSpan {
    int top = 0;
    int bottom = 0;

    bool IsEmpty() const { return bottom <= top; }
    // The smallest span holding both.
    RowSpan Joined(const RowSpan& other) const;
};

class SurfacePresenter {
public:
    SurfacePresenter(wl_shm* shm, wl_surface* surface) : m_shm(shm), m_surface(surface) {}
    SurfacePresenter(const SurfacePresenter&) = delete;
    SurfacePresenter& operator=(const SurfacePresenter&) = delete;

    // A picture of a new size in device pixels: a black buffer of that size,
    // committed at the next Commit whatever frame is pending.
    [[nodiscard]] Result<> Resize(int width, int height);
    int Width() const { return m_front ? m_front->Width() : 0; }
    int Height() const { return m_front ? m_front->Height() : 0; }

    // The store to draw into, or null while the compositor holds every
    // buffer (the caller draws nothing this time).
    [[nodiscard]] Result<PixelStore*> WritableStore();
    // The renderer wrote within these rows of the store.
    void Drawn(const RowSpan& rows);
    // Attaches the drawn rows, unless nothing was drawn or the last commit's
    // frame has not been shown yet (then its frame callback commits them).
    // The caller's other state for this surface (scale, viewport) rides on
    // the same commit.
    void Commit();

private:
    static const wl_callback_listener s_frameListener;
    static void OnFrameDone(void* data, wl_callback* callback, std::uint32_t time);
    void UseBuffer(ShmBuffer& buffer);

    wl_shm* m_shm;
    wl_surface* m_surface;
    std::unique_ptr<ShmBuffer> m_front;  // the buffer drawn into, whose memory m_store is
    std::unique_ptr<ShmBuffer> m_spare;  // made only when the compositor held m_front at a tick
    PixelStore m_store;
    RowSpan m_undamaged;  // drawn since the last commit
    RowSpan m_spareLags;  // rows in which m_spare differs from m_front
    Proxy<wl_callback> m_frame;  // the last commit's, until it is shown
};

}  // namespace quorvana
