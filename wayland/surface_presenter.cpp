// SPDX-License-Identifier: MIT
#include "wayland/surface_presenter.h"

#include <string>

namespace quorvana {

const wl_callback_listener SurfacePresenter::s_frameListener = {.done = OnFrameDone};

namespace {

std::uint32_t Xrgb(COLORREF colour) { return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF); }

}  // namespace

SurfacePresenter::SurfacePresenter(const WaylandConnection& connection, wl_surface* surface, const ShowChoices& shown)
    : m_surface(surface),
      m_pool([shm = connection.Shm()](int width, int height) { return ShmBuffer::Create(shm, width, height); }),
      m_shown(shown), m_shownColours(shown.look.Packed(Xrgb))
{
}

Result<> SurfacePresenter::Resize(int width, int height)
{
    m_frame.reset();  // the old size's frame says nothing about the new one
    m_picture = PixelStore();
    m_drawn.TakeDirty();  // rows of the old size
    m_buffer = nullptr;
    m_shown.Stop();
    if (!m_shown.ShowsStoreAsItIs() && !m_kept.Resize(width, height))
        return Failure::NotEnoughMemoryFor("a " + std::to_string(width) + " x " + std::to_string(height) + " picture");
    return m_pool.Resize(width, height);
}

void SurfacePresenter::RecordDrawn()
{
    Rect drawn = m_drawn.TakeDirty();
    if (!m_shown.ShowsStoreAsItIs() && m_buffer) {
        drawn = m_shown.ShownArea(drawn, m_kept.Width(), m_kept.Height());
        for (int y = drawn.top; y < drawn.bottom; ++y)
            m_shown.ShowRow(m_kept, y, drawn.left, drawn.right, m_shownColours,
                           m_buffer->Pixels() + static_cast<std::ptrdiff_t>(y) * m_buffer->StridePixels());
    }
    if (!drawn.IsEmpty()) m_pool.MarkDrawn(RowSpan{drawn.top, drawn.bottom});
}

Result<Surface*> SurfacePresenter::Writable()
{
    RecordDrawn();
    ShmBuffer* buffer = TRY(m_pool.Acquire());
    if (!buffer) return nullptr;
    m_buffer = buffer;
    if (m_shown.ShowsStoreAsItIs())
        m_picture = PixelStore(buffer->Width(), buffer->Height(), buffer->StridePixels(), buffer->Pixels());
    else
        m_picture = PixelStore(m_kept.Width(), m_kept.Height(), m_kept.Width(), m_kept.WritableRow(0, 0, m_kept.Width()));
    return &m_drawn;
}

void SurfacePresenter::AfterTick(TickOutcome outcome, const ZoomStep& views, int row)
{
    m_shown.AfterTick(m_kept, outcome, views, row);
}

void SurfacePresenter::Commit()
{
    RecordDrawn();
    // Nothing is drawn between here and the next Writable, which may choose the other buffer.
    m_picture = PixelStore();
    m_buffer = nullptr;
    if (m_frame || !m_pool.Current()) return;
    const RowSpan damage = m_pool.TakeDamage();
    if (damage.IsEmpty()) return;
    ShmBuffer& buffer = *m_pool.Current();
    wl_surface_attach(m_surface, buffer.Buffer(), 0, 0);
    wl_surface_damage_buffer(m_surface, 0, damage.top, buffer.Width(), damage.Height());
    m_frame.reset(wl_surface_frame(m_surface));
    wl_callback_add_listener(m_frame.get(), &s_frameListener, this);
    wl_surface_commit(m_surface);
    buffer.MarkBusy();
}

void SurfacePresenter::OnFrameDone(void* data, wl_callback*, std::uint32_t)
{
    // The commit it let through is made after this batch of events.
    static_cast<SurfacePresenter*>(data)->m_frame.reset();
}

}  // namespace quorvana
