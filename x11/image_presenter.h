// SPDX-License-Identifier: MIT
// A window's pixels and the way they reach the screen: one XImage of the
// window's size, in shared memory (MIT-SHM, shared_memory.h) when the caller
// allows it and the server offers it and is local, otherwise in ordinary
// memory sent with XPutImage.
//
// Where the visual takes the pictures' colours as they are (render/colour.h:
// 32 bits a pixel, green in the middle byte, no alpha) and the look is the
// specified one, the pixel store the renderer draws into is the image's own
// memory, so each window holds one copy of its pixels. Any other visual or
// look (a theme, full rows: render/picture_look.h) gets a store of its own,
// whose presented area is shown into the image through the theme's colours
// packed for the visual (pixel_format.h), which puts red and blue where the
// visual's masks say.
//
// A shared put is read by the server after the call returns. Until it is
// known to be finished (its completion event, or a round trip) nothing is
// written into the image: WritableStore and a converting Present wait for
// it first. The completion normally arrives long before the next tick.
#pragma once

#include <X11/Xlib.h>
#include <memory>
#include <vector>

#include "common/failure.h"
#include "render/picture_look.h"
#include "render/shown_picture.h"
#include "render/pixel_store.h"
#include "x11/draw_target.h"
#include "x11/pixel_format.h"
#include "x11/shared_memory.h"

namespace quorvana {

// How a window's pictures reach the screen.
struct PresenterChoices {
    // False to send every picture through the connection (--no-shm), for
    // servers that offer MIT-SHM but fail to use it.
    bool sharedMemory = true;
    ShowChoices shown;  // the look and the zoom (render/shown_picture.h)
};

class ImagePresenter {
public:
    // An image of width × height for the target, in its visual and pixel
    // format, shown as the choices say. A run-time Failure naming the visual and depth when Xlib makes no
    // image of them, and one saying so when memory runs out for the image
    // or the store.
    static Result<std::unique_ptr<ImagePresenter>> Create(const DrawTarget& target, int width, int height,
                                                          const PresenterChoices& choices);
    ~ImagePresenter();
    ImagePresenter(const ImagePresenter&) = delete;
    ImagePresenter& operator=(const ImagePresenter&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The store to draw into, once no put is reading it any more.
    PixelStore& WritableStore();
    // After each tick and each repaint: what the window shows besides the
    // store (the zoom, render/shown_picture.h).
    void AfterTick(TickOutcome outcome, const ZoomStep& views, int row) { m_shown.AfterTick(m_store, outcome, views, row); }
    void AfterRepaint() { m_shown.Stop(); }
    // Sends what a change of the store's area changes on screen (clipped to
    // the image) to the drawable.
    void Present(const Rect& area);
    // Hands the presenter an event; true if it was the presenter's own.
    bool HandleEvent(const XEvent& event);

private:
    struct ImageDeleter {
        void operator()(XImage* image) const;
    };

    ImagePresenter(const DrawTarget& target, int width, int height, const PresenterChoices& choices);
    [[nodiscard]] bool CreateSharedImage(Visual* visual, int depth);
    Result<> CreatePlainImage(Visual* visual, int depth);
    bool StoresInImage() const;
    void AwaitPut();
    void Convert(const Rect& area);

    Display* m_display;
    Drawable m_drawable;
    PixelFormat m_format;
    ShownPicture m_shown;
    PackedColours m_packed;  // the theme's colours as the visual's pixels
    int m_width;
    int m_height;
    GC m_gc = nullptr;
    std::unique_ptr<SharedMemory> m_shared;  // declared before the image, which points into it
    std::unique_ptr<XImage, ImageDeleter> m_image;
    PixelStore m_store;        // a view of the image's memory, or pixels of its own (m_converts)
    bool m_converts = false;
    std::vector<std::uint32_t> m_row;  // a row as shown, for images of other layouts
    int m_shmCompletion = -1;
    unsigned long m_putSerial = 0;   // the request of the last shared put
    unsigned long m_doneSerial = 0;  // every shared put up to this request is finished
};

}  // namespace quorvana
