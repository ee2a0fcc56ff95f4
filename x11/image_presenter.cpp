// SPDX-License-Identifier: MIT
#include "x11/image_presenter.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <X11/Xutil.h>

#include "x11/x_connection.h"

namespace quorvana {

namespace {

constexpr int kNativeByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;

}  // namespace

ImagePresenter::ImagePresenter(Display* display, Drawable drawable, Visual* visual, int depth,
                               const PixelFormat& format, int width, int height, bool sharedMemory)
    : m_display(display), m_drawable(drawable), m_format(format), m_width(width), m_height(height)
{
    m_gc = XCreateGC(m_display, m_drawable, 0, nullptr);
    if (m_width <= 0 || m_height <= 0) return;
    // Shared memory only works when client and server share a machine; the
    // server's refusal comes back as an error, trapped in CreateSharedImage.
    if (sharedMemory && XShmQueryExtension(m_display) == True && CreateSharedImage(visual, depth)) return;
    if (CreatePlainImage(visual, depth)) return;
    // Without an image the saver would draw nothing: a window whose image
    // does not fit ends it as one whose pixel store does not (main.cpp).
    XFreeGC(m_display, m_gc);
    throw std::bad_alloc();
}

ImagePresenter::~ImagePresenter()
{
    if (m_shmAttached) {
        XShmDetach(m_display, &m_shm);
        XSync(m_display, False);
    }
    if (m_image) {
        if (m_shm.shmaddr) m_image->data = nullptr;  // not Xlib's to free
        XDestroyImage(m_image);
    }
    if (m_shm.shmaddr) shmdt(m_shm.shmaddr);
    if (m_gc) XFreeGC(m_display, m_gc);
}

bool ImagePresenter::CreateSharedImage(Visual* visual, int depth)
{
    m_image = XShmCreateImage(m_display, visual, depth, ZPixmap, nullptr, &m_shm, m_width, m_height);
    if (!m_image) return false;
    // The server reads the shared memory as it is; it must be in our order.
    if (m_image->byte_order != kNativeByteOrder) {
        XDestroyImage(m_image);
        m_image = nullptr;
        return false;
    }
    const std::size_t bytes = static_cast<std::size_t>(m_image->bytes_per_line) * m_height;
    m_shm.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (m_shm.shmid >= 0) {
        void* address = shmat(m_shm.shmid, nullptr, 0);
        // Marked for removal at once, before the round trip to the server: it
        // goes away with the last detach even if the program is killed while
        // waiting for the server. Linux lets the server attach a marked
        // segment, and MIT-SHM only works with a server on the same kernel.
        shmctl(m_shm.shmid, IPC_RMID, nullptr);
        if (address != reinterpret_cast<void*>(-1)) {
            m_shm.shmaddr = m_image->data = static_cast<char*>(address);
            m_shm.readOnly = False;
            ErrorTrap trap(m_display);
            XShmAttach(m_display, &m_shm);
            m_shmAttached = !trap.Failed();
        }
    }
    if (m_shmAttached) {
        m_shmCompletion = XShmGetEventBase(m_display) + ShmCompletion;
        return true;
    }
    if (m_shm.shmaddr) shmdt(m_shm.shmaddr);
    m_shm = XShmSegmentInfo{};
    m_image->data = nullptr;
    XDestroyImage(m_image);
    m_image = nullptr;
    return false;
}

bool ImagePresenter::CreatePlainImage(Visual* visual, int depth)
{
    m_image = XCreateImage(m_display, visual, depth, ZPixmap, 0, nullptr, m_width, m_height, 32, 0);
    if (!m_image) return false;
    // Pixels are written in our own byte order; Xlib converts if the server's differs.
    m_image->byte_order = kNativeByteOrder;
    m_image->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(m_image->bytes_per_line), m_height));
    if (!m_image->data) {
        XDestroyImage(m_image);
        m_image = nullptr;
        return false;
    }
    return true;
}

void ImagePresenter::Convert(const PixelStore& store, const Rect& area)
{
    const bool direct = m_image->bits_per_pixel == 32 && m_image->byte_order == kNativeByteOrder;
    for (int y = area.top; y < area.bottom; ++y) {
        const COLORREF* source = store.Row(y);
        if (direct) {
            auto* target = reinterpret_cast<std::uint32_t*>(m_image->data + static_cast<std::ptrdiff_t>(y) *
                                                                                m_image->bytes_per_line);
            for (int x = area.left; x < area.right; ++x) target[x] = m_format.Pack(source[x]);
        } else {
            for (int x = area.left; x < area.right; ++x) XPutPixel(m_image, x, y, m_format.Pack(source[x]));
        }
    }
}

void ImagePresenter::Present(const PixelStore& store, const Rect& area)
{
    if (!m_image) return;
    const Rect r = Intersect(Intersect(area, Rect{0, 0, m_width, m_height}), store.Bounds());
    if (r.IsEmpty()) return;
    if (m_shmBusy) {
        XSync(m_display, False);
        m_shmBusy = false;
    }
    Convert(store, r);
    const auto w = static_cast<unsigned>(r.Width()), h = static_cast<unsigned>(r.Height());
    if (m_shmAttached) {
        XShmPutImage(m_display, m_drawable, m_gc, m_image, r.left, r.top, r.left, r.top, w, h, True);
        m_shmBusy = true;
    } else {
        XPutImage(m_display, m_drawable, m_gc, m_image, r.left, r.top, r.left, r.top, w, h);
    }
}

bool ImagePresenter::HandleEvent(const XEvent& event)
{
    if (!m_shmAttached || event.type != m_shmCompletion) return false;
    // A completion of an earlier image of the window (before a resize) says nothing about this one.
    if (reinterpret_cast<const XShmCompletionEvent&>(event).shmseg == m_shm.shmseg) m_shmBusy = false;
    return true;
}

}  // namespace quorvana
