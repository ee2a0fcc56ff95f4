// SPDX-License-Identifier: MIT
// How one surface's picture reaches the compositor: the whole picture in one
// of at most two wl_shm buffers (buffer_pool.h, shm_buffer.h), which the
// renderer draws straight into through the Surface that Writable gives. Each
// tick asks for it, draws, then commits. A commit attaches the current
// buffer with only the rows drawn since the last commit damaged; at most one
// commit waits for each frame callback, so a fast pace draws several rows
// per output frame and sends them together.
//
// In the specified look the renderer draws straight into the buffer, whose
// XRGB pixels its green levels already are. In any other look (a theme, full
// rows: render/picture_look.h) or with the zoom (render/shown_picture.h) it
// draws into a store of the presenter's own, and what the rows it drew
// change on screen is shown into the buffer, packed as XRGB8888
// (0x00RRGGBB, where COLORREF has red in the low byte), before they are
// marked drawn.
//
// The caller sets the surface's buffer scale or viewport: the buffers are in
// device pixels.
#pragma once

#include <wayland-client.h>

#include "common/failure.h"
#include "render/dirty_surface.h"
#include "render/picture_look.h"
#include "render/shown_picture.h"
#include "render/pixel_store.h"
#include "wayland/buffer_pool.h"
#include "wayland/connection.h"
#include "wayland/proxy.h"
#include "wayland/shm_buffer.h"

namespace quorvana {

class SurfacePresenter {
public:
    SurfacePresenter(const WaylandConnection& connection, wl_surface* surface, const ShowChoices& shown);
    SurfacePresenter(const SurfacePresenter&) = delete;
    SurfacePresenter& operator=(const SurfacePresenter&) = delete;

    // A black picture of width × height device pixels, sent whole at the
    // next Commit whatever frame is pending.
    [[nodiscard]] Result<> Resize(int width, int height);
    int Width() const { return m_pool.Width(); }
    int Height() const { return m_pool.Height(); }

    // The whole picture to draw into now, in the memory of a buffer the
    // compositor does not hold; null before the first size and while it
    // holds both (the tick waits). Fails when the second buffer cannot be
    // made. Valid until the next Commit.
    [[nodiscard]] Result<Surface*> Writable();
    // After each tick: what the surface shows besides the store (the zoom).
    void AfterTick(TickOutcome outcome, const ZoomStep& views, int row);
    // Sends what was drawn, unless the last commit's frame is still pending
    // (its frame callback lets the next one through).
    void Commit();

private:
    static const wl_callback_listener s_frameListener;
    static void OnFrameDone(void* data, wl_callback* callback, std::uint32_t time);

    // Hands the rows drawn since the last call to the pool.
    void RecordDrawn();

    wl_surface* m_surface;
    BufferPool<ShmBuffer> m_pool;
    ShownPicture m_shown;
    PackedColours m_shownColours;    // the theme as XRGB8888
    PixelStore m_kept;               // the renderer's own store, in a look other than the specified one
    ShmBuffer* m_buffer = nullptr;   // the buffer Writable gave, until Commit
    PixelStore m_picture;            // the memory the renderer draws into: that buffer's, or m_kept's
    DirtySurface m_drawn{m_picture};  // what the renderer wrote into it
    Proxy<wl_callback> m_frame;       // the last commit's, until it is shown
};

}  // namespace quorvana
