// SPDX-License-Identifier: MIT
#include "wayland/surface_presenter.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quorvana {

RowSpan RowSpan::Joined(const RowSpan& other) const
{
    if (IsEmpty()) return other;
    if (other.IsEmpty()) return *this;
    return RowSpan{std::min(top, other.top), std::max(bottom, other.bottom)};
}

const wl_callback_listener SurfacePresenter::s_frameListener = {.done = OnFrameDone};

void SurfacePresenter::UseBuffer(ShmBuffer& buffer)
{
    m_store = PixelStore(buffer.Width(), buffer.Height(), buffer.StridePixels(), buffer.Pixels());
}

Result<> SurfacePresenter::Resize(int width, int height)
{
    m_spare.reset();
    m_front.reset();
    m_front = TRY(ShmBuffer::Create(m_shm, width, height));
    UseBuffer(*m_front);
    m_undamaged = RowSpan{0, height};
    m_spareLags = {};
    m_frame.reset();  // the old size's frame says nothing about the new one
    return {};
}

Result<PixelStore*> SurfacePresenter::WritableStore()
{
    if (!m_front) return nullptr;
    if (!m_front->Busy()) return &m_store;
    if (!m_spare) {
        m_spare = TRY(ShmBuffer::Create(m_shm, m_front->Width(), m_front->Height()));
        m_spareLags = RowSpan{0, m_front->Height()};
    }
    if (m_spare->Busy()) return nullptr;
    // Reading the held buffer is allowed; only writing it is not.
    const std::size_t rowBytes = static_cast<std::size_t>(m_front->StridePixels()) * sizeof(COLORREF);
    std::memcpy(m_spare->Pixels() + static_cast<std::ptrdiff_t>(m_spareLags.top) * m_front->StridePixels(),
                m_front->Pixels() + static_cast<std::ptrdiff_t>(m_spareLags.top) * m_front->StridePixels(),
                rowBytes * static_cast<std::size_t>(std::max(0, m_spareLags.bottom - m_spareLags.top)));
    std::swap(m_front, m_spare);
    m_spareLags = {};
    UseBuffer(*m_front);
    return &m_store;
}

void SurfacePresenter::Drawn(const RowSpan& rows)
{
    m_undamaged = m_undamaged.Joined(rows);
    if (m_spare) m_spareLags = m_spareLags.Joined(rows);
}

void SurfacePresenter::Commit()
{
    if (!m_front || m_undamaged.IsEmpty() || m_frame) return;
    wl_surface_attach(m_surface, m_front->Buffer(), 0, 0);
    wl_surface_damage_buffer(m_surface, 0, m_undamaged.top, m_front->Width(), m_undamaged.bottom - m_undamaged.top);
    m_frame.reset(wl_surface_frame(m_surface));
    wl_callback_add_listener(m_frame.get(), &s_frameListener, this);
    wl_surface_commit(m_surface);
    m_front->MarkBusy();
    m_undamaged = {};
}

void SurfacePresenter::OnFrameDone(void* data, wl_callback*, std::uint32_t)
{
    auto* self = static_cast<SurfacePresenter*>(data);
    self->m_frame.reset();
    self->Commit();
}

}  // namespace quorvana
