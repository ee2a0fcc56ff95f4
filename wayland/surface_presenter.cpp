// SPDX-License-Identifier: MIT
#include "wayland/surface_presenter.h"

namespace quorvana {

const wl_callback_listener SurfacePresenter::s_frameListener = {.done = OnFrameDone};

SurfacePresenter::SurfacePresenter(const WaylandConnection& connection, wl_surface* surface)
    : m_surface(surface),
      m_pool([shm = connection.Shm()](int width, int height) { return ShmBuffer::Create(shm, width, height); })
{
}

Result<> SurfacePresenter::Resize(int width, int height)
{
    m_frame.reset();  // the old size's frame says nothing about the new one
    m_picture = PixelStore();
    m_drawn.TakeDirty();  // rows of the old size
    return m_pool.Resize(width, height);
}

void SurfacePresenter::RecordDrawn()
{
    const Rect drawn = m_drawn.TakeDirty();
    if (!drawn.IsEmpty()) m_pool.MarkDrawn(RowSpan{drawn.top, drawn.bottom});
}

Result<Surface*> SurfacePresenter::Writable()
{
    RecordDrawn();
    ShmBuffer* buffer = TRY(m_pool.Acquire());
    if (!buffer) return nullptr;
    m_picture = PixelStore(buffer->Width(), buffer->Height(), buffer->StridePixels(), buffer->Pixels());
    return &m_drawn;
}

void SurfacePresenter::Commit()
{
    RecordDrawn();
    // Nothing is drawn between here and the next Writable, which may choose the other buffer.
    m_picture = PixelStore();
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
