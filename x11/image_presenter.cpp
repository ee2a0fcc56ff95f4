// SPDX-License-Identifier: MIT
#include "x11/image_presenter.h"

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <X11/Xutil.h>

namespace quorvana {

namespace {

constexpr int kNativeByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;

// The pixel store takes four bytes a pixel, the image as much again on
// visuals the store cannot share.
Failure NotEnoughMemory()
{
    return Failure::NotEnoughMemoryFor("a window this large");
}

}  // namespace

void ImagePresenter::ImageDeleter::operator()(XImage* image) const
{
    if (image->obdata) image->data = nullptr;  // shared memory, not Xlib's to free
    XDestroyImage(image);
}

ImagePresenter::ImagePresenter(const DrawTarget& target, int width, int height, const PresenterChoices& choices)
    : m_display(target.GetDisplay()), m_drawable(target.Id()), m_format(target.Format()),
      m_shown(choices.shown), m_packed(choices.shown.look.Packed([this](COLORREF colour) { return m_format.Pack(colour); })), m_width(width),
      m_height(height)
{
    m_gc = XCreateGC(m_display, m_drawable, 0, nullptr);
}

Result<std::unique_ptr<ImagePresenter>> ImagePresenter::Create(const DrawTarget& target, int width, int height,
                                                               const PresenterChoices& choices)
{
    std::unique_ptr<ImagePresenter> presenter(new ImagePresenter(target, width, height, choices));
    if (width <= 0 || height <= 0) return presenter;  // nothing to show until the window has a size
    // Shared memory only works when client and server share a machine;
    // the server's refusal makes SharedMemory::Attach return null.
    Display* display = target.GetDisplay();
    if (!(choices.sharedMemory && XShmQueryExtension(display) == True &&
          presenter->CreateSharedImage(target.GetVisual(), target.Depth())))
        TRY(presenter->CreatePlainImage(target.GetVisual(), target.Depth()));
    presenter->m_converts = !presenter->StoresInImage();
    if (presenter->m_converts) {
        if (!presenter->m_store.Resize(width, height)) return NotEnoughMemory();
    } else {
        presenter->m_store = PixelStore(width, height, presenter->m_image->bytes_per_line / 4,
                                        reinterpret_cast<COLORREF*>(presenter->m_image->data));
    }
    return presenter;
}

ImagePresenter::~ImagePresenter()
{
    XFreeGC(m_display, m_gc);
}

bool ImagePresenter::CreateSharedImage(Visual* visual, int depth)
{
    XShmSegmentInfo unplaced{};
    std::unique_ptr<XImage, ImageDeleter> image(
        XShmCreateImage(m_display, visual, depth, ZPixmap, nullptr, &unplaced, m_width, m_height));
    // The server reads the shared memory as it is; it must be in our order.
    if (!image || image->byte_order != kNativeByteOrder) return false;
    m_shared = SharedMemory::Attach(m_display, static_cast<std::size_t>(image->bytes_per_line) * m_height);
    if (!m_shared) return false;
    image->data = m_shared->Data();
    image->obdata = reinterpret_cast<char*>(m_shared->Info());
    m_image = std::move(image);
    m_shmCompletion = XShmGetEventBase(m_display) + ShmCompletion;
    return true;
}

Result<> ImagePresenter::CreatePlainImage(Visual* visual, int depth)
{
    // Xlib makes no image of a depth the server has no pixel format for, or
    // of a row too long to count in bytes: say which, not "out of memory".
    std::unique_ptr<XImage, ImageDeleter> image(
        XCreateImage(m_display, visual, depth, ZPixmap, 0, nullptr, m_width, m_height, 32, 0));
    if (!image) {
        char visualId[24];
        std::snprintf(visualId, sizeof visualId, "0x%lx", XVisualIDFromVisual(visual));
        return Failure::Runtime("cannot make an image of " + std::to_string(m_width) + " x " +
                                std::to_string(m_height) + " pixels for visual " + visualId + " of depth " +
                                std::to_string(depth));
    }
    // Pixels are written in our own byte order; Xlib converts if the server's differs.
    image->byte_order = kNativeByteOrder;
    image->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(image->bytes_per_line), m_height));
    if (!image->data) return NotEnoughMemory();
    m_image = std::move(image);
    return {};
}

bool ImagePresenter::StoresInImage() const
{
    return m_shown.ShowsStoreAsItIs() && m_format.KeepsPictureColours() && m_image->bits_per_pixel == 32 &&
           m_image->byte_order == kNativeByteOrder && m_image->bytes_per_line % 4 == 0;
}

// The servers in use send the completion while handling the put, so a round
// trip proves it finished. Waiting for the event itself could wait forever:
// a put the server refused (its window just destroyed) sends none.
void ImagePresenter::AwaitPut()
{
    if (m_doneSerial >= m_putSerial) return;
    XSync(m_display, False);
    m_doneSerial = m_putSerial;
}

PixelStore& ImagePresenter::WritableStore()
{
    if (!m_converts) AwaitPut();
    return m_store;
}

void ImagePresenter::Convert(const Rect& area)
{
    const bool direct = m_image->bits_per_pixel == 32 && m_image->byte_order == kNativeByteOrder;
    for (int y = area.top; y < area.bottom; ++y) {
        if (direct) {
            auto* target = reinterpret_cast<std::uint32_t*>(m_image->data + static_cast<std::ptrdiff_t>(y) *
                                                                                m_image->bytes_per_line);
            m_shown.ShowRow(m_store, y, area.left, area.right, m_packed, target);
        } else {
            m_row.resize(static_cast<std::size_t>(m_width));
            m_shown.ShowRow(m_store, y, area.left, area.right, m_packed, m_row.data());
            for (int x = area.left; x < area.right; ++x) XPutPixel(m_image.get(), x, y, m_row[static_cast<std::size_t>(x)]);
        }
    }
}

void ImagePresenter::Present(const Rect& area)
{
    if (!m_image) return;
    const Rect r = Intersect(m_shown.ShownArea(area, m_width, m_height), Rect{0, 0, m_width, m_height});
    if (r.IsEmpty()) return;
    if (m_converts) {
        AwaitPut();
        Convert(r);
    }
    const auto w = static_cast<unsigned>(r.Width()), h = static_cast<unsigned>(r.Height());
    if (m_shared) {
        m_putSerial = NextRequest(m_display);
        XShmPutImage(m_display, m_drawable, m_gc, m_image.get(), r.left, r.top, r.left, r.top, w, h, True);
    } else {
        XPutImage(m_display, m_drawable, m_gc, m_image.get(), r.left, r.top, r.left, r.top, w, h);
    }
}

bool ImagePresenter::HandleEvent(const XEvent& event)
{
    if (!m_shared || event.type != m_shmCompletion) return false;
    // A completion of an earlier image of the window (before a resize) says nothing about this one.
    const auto& completion = reinterpret_cast<const XShmCompletionEvent&>(event);
    if (completion.shmseg == m_shared->Info()->shmseg && completion.serial > m_doneSerial)
        m_doneSerial = completion.serial;
    return true;
}

}  // namespace quorvana
