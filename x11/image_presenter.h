// SPDX-License-Identifier: MIT
// Puts parts of a window's pixel store on the screen. One XImage of the
// window's size, in shared memory (MIT-SHM) when the caller allows it and
// the server offers it and is local, otherwise in ordinary memory sent with
// XPutImage. Each call
// converts just the given area from the store's COLORREF pixels to the
// visual's format and sends just that area.
//
// While the server may still be reading the shared image, the presenter
// does not write into it: it waits for the server first (one round trip),
// which in practice never happens, as the completion event arrives long
// before the next tick.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include "render/pixel_store.h"
#include "x11/pixel_format.h"

namespace quorvana {

class ImagePresenter {
public:
    // sharedMemory: false to send every picture through the connection
    // (--no-shm), for servers that offer MIT-SHM but fail to use it.
    // Throws std::bad_alloc when no image of the window's size fits.
    ImagePresenter(Display* display, Drawable drawable, Visual* visual, int depth, const PixelFormat& format,
                   int width, int height, bool sharedMemory);
    ~ImagePresenter();
    ImagePresenter(const ImagePresenter&) = delete;
    ImagePresenter& operator=(const ImagePresenter&) = delete;

    // Sends the area of the store (clipped to the image) to the drawable.
    void Present(const PixelStore& store, const Rect& area);
    // Hands the presenter an event; true if it was the presenter's own.
    bool HandleEvent(const XEvent& event);

private:
    bool CreateSharedImage(Visual* visual, int depth);
    [[nodiscard]] bool CreatePlainImage(Visual* visual, int depth);
    void Convert(const PixelStore& store, const Rect& area);

    Display* m_display;
    Drawable m_drawable;
    PixelFormat m_format;
    int m_width;
    int m_height;
    GC m_gc = nullptr;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_shm{};
    bool m_shmAttached = false;
    bool m_shmBusy = false;  // a shared put is not yet known to be finished
    int m_shmCompletion = -1;
};

}  // namespace quorvana
