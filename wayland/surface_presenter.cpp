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

std::vector<RowSpan> BandRows(int height, int scale)
{
    const int step = std::max(scale, (kBandRows + scale - 1) / scale * scale);
    std::vector<RowSpan> bands;
    for (int top = 0; top < height; top += step) bands.push_back(RowSpan{top, std::min(height, top + step)});
    return bands;
}

const wl_callback_listener SurfacePresenter::s_frameListener = {.done = OnFrameDone};

Result<> SurfacePresenter::Resize(int width, int height, int bandScale)
{
    m_frame.reset();  // the old size's frame says nothing about the new one
    m_spare.reset();
    m_bands.clear();
    m_backdrop.reset();
    m_width = width;
    m_height = height;
    const std::vector<RowSpan> rows = bandScale > 0 ? BandRows(height, bandScale) : std::vector{RowSpan{0, height}};
    m_bandRows = rows.front().Height();
    for (const RowSpan& span : rows) {
        Band band;
        band.rows = span;
        if (bandScale > 0) {
            band.surface.reset(wl_compositor_create_surface(m_connection.Compositor()));
            band.subsurface.reset(
                wl_subcompositor_get_subsurface(m_connection.Subcompositor(), band.surface.get(), m_surface));
            wl_subsurface_set_position(band.subsurface.get(), 0, span.top / bandScale);
            // Each band's commit shows at once; the surface beneath is committed
            // only with a new backdrop (the compositor then goes over every band).
            wl_subsurface_set_desync(band.subsurface.get());
            wl_surface_set_buffer_scale(band.surface.get(), bandScale);
            // Input goes through to the surface beneath, in the output's own coordinates.
            wl_region* none = wl_compositor_create_region(m_connection.Compositor());
            wl_surface_set_input_region(band.surface.get(), none);
            wl_region_destroy(none);
        }
        band.buffer = TRY(ShmBuffer::Create(m_connection.Shm(), width, span.Height()));
        band.undamaged = RowSpan{0, span.Height()};
        m_bands.push_back(std::move(band));
    }
    if (bandScale > 0) m_backdrop = TRY(ShmBuffer::Create(m_connection.Shm(), 1, 1));
    m_backdropSent = bandScale == 0;
    return {};
}

SurfacePresenter::Band& SurfacePresenter::BandAt(int y)
{
    return m_bands[std::min(static_cast<std::size_t>(y / m_bandRows), m_bands.size() - 1)];
}

const SurfacePresenter::Band& SurfacePresenter::BandAt(int y) const
{
    return m_bands[std::min(static_cast<std::size_t>(y / m_bandRows), m_bands.size() - 1)];
}

bool SurfacePresenter::MakeWritable(Band& band)
{
    if (!band.buffer->Busy()) return true;
    if (m_spare && m_spare->Busy()) return false;
    const std::size_t index = static_cast<std::size_t>(&band - m_bands.data());
    const int height = band.rows.Height();
    if (!m_spare || m_spare->Height() != height) {
        m_spare.reset();
        auto made = ShmBuffer::Create(m_connection.Shm(), m_width, height);
        if (!made) {
            if (!m_failed) m_failed = std::move(made).TakeError();
            return false;
        }
        m_spare = std::move(made).TakeValue();
        m_spareLags = RowSpan{0, height};
    } else if (m_spareBand != index) {
        m_spareLags = RowSpan{0, height};
    }
    // Reading the held buffer is allowed; only writing it is not.
    const std::ptrdiff_t stride = band.buffer->StridePixels();
    std::memcpy(m_spare->Pixels() + m_spareLags.top * stride, band.buffer->Pixels() + m_spareLags.top * stride,
                sizeof(COLORREF) * static_cast<std::size_t>(std::max(0, m_spareLags.Height()) * stride));
    std::swap(band.buffer, m_spare);
    m_spareBand = index;
    m_spareLags = {};
    return true;
}

void SurfacePresenter::MarkDrawn(Band& band, RowSpan rows)
{
    band.undamaged = band.undamaged.Joined(rows);
    if (m_spare && m_spareBand == static_cast<std::size_t>(&band - m_bands.data()))
        m_spareLags = m_spareLags.Joined(rows);
}

bool SurfacePresenter::ReadyForRow(int y) const
{
    if (m_bands.empty() || y < 0 || y >= m_height) return true;
    // Asks only: a spare taken now and not drawn into would never be
    // committed, and the buffer it replaced never released.
    const Band& band = BandAt(y);
    return band.pending.Empty() && (!band.buffer->Busy() || !m_spare || !m_spare->Busy());
}

void SurfacePresenter::ApplyPending()
{
    for (Band& band : m_bands) {
        if (band.pending.Empty() || !MakeWritable(band)) continue;
        const RowSpan rows{band.pending.Top(), band.pending.Bottom()};
        band.pending.ApplyTo(band.buffer->Pixels(), band.buffer->StridePixels());
        MarkDrawn(band, rows);
    }
}

bool SurfacePresenter::AnyPending() const
{
    return std::any_of(m_bands.begin(), m_bands.end(), [](const Band& band) { return !band.pending.Empty(); });
}

Result<> SurfacePresenter::Commit()
{
    ApplyPending();
    if (m_failed) {
        Failure failed = std::move(*m_failed);
        m_failed.reset();
        return failed;
    }
    const bool drawn = !m_backdropSent || std::any_of(m_bands.begin(), m_bands.end(), [](const Band& band) {
        return !band.undamaged.IsEmpty();
    });
    // Writes waiting for the spare go out at once: its release follows this commit.
    if (!drawn || (m_frame && !AnyPending())) return {};
    for (Band& band : m_bands) {
        if (band.undamaged.IsEmpty()) continue;
        wl_surface* surface = SurfaceOf(band);
        wl_surface_attach(surface, band.buffer->Buffer(), 0, 0);
        wl_surface_damage_buffer(surface, 0, band.undamaged.top, m_width, band.undamaged.Height());
        if (!m_frame) {
            m_frame.reset(wl_surface_frame(surface));
            wl_callback_add_listener(m_frame.get(), &s_frameListener, this);
        }
        wl_surface_commit(surface);
        band.buffer->MarkBusy();
        band.undamaged = {};
    }
    if (!m_backdropSent) {
        wl_surface_attach(m_surface, m_backdrop->Buffer(), 0, 0);
        wl_surface_damage_buffer(m_surface, 0, 0, 1, 1);
        wl_surface_commit(m_surface);
        m_backdrop->MarkBusy();
        m_backdropSent = true;
    }
    return {};
}

void SurfacePresenter::OnFrameDone(void* data, wl_callback*, std::uint32_t)
{
    // The commit it let through is made after this batch of events.
    static_cast<SurfacePresenter*>(data)->m_frame.reset();
}

COLORREF SurfacePresenter::GetPixel(int x, int y) const
{
    if (!ClientRect().Contains(x, y)) return kNoPixel;
    const Band& band = BandAt(y);
    const int row = y - band.rows.top;
    if (const auto waiting = band.pending.PixelAt(x, row)) return *waiting;
    return band.buffer->Pixels()[static_cast<std::ptrdiff_t>(row) * band.buffer->StridePixels() + x];
}

void SurfacePresenter::FillBlack(const Rect& rect)
{
    const Rect area = Intersect(rect, ClientRect());
    if (area.IsEmpty()) return;
    const std::vector<COLORREF> black(static_cast<std::size_t>(area.Width()), MakeRgb(0, 0, 0));
    for (int y = area.top; y < area.bottom; ++y) SetRow(area.left, y, black.data(), area.Width());
}

void SurfacePresenter::SetRow(int x, int y, const COLORREF* colours, int count)
{
    if (y < 0 || y >= m_height) return;
    const int from = std::max(x, 0);
    const int to = std::min(x + count, m_width);
    if (from >= to) return;
    colours += from - x;
    Band& band = BandAt(y);
    const int row = y - band.rows.top;
    if (band.pending.Empty() && MakeWritable(band)) {
        std::copy_n(colours, to - from,
                    band.buffer->Pixels() + static_cast<std::ptrdiff_t>(row) * band.buffer->StridePixels() + from);
        MarkDrawn(band, RowSpan{row, row + 1});
    } else {
        band.pending.Add(from, row, colours, to - from);
    }
}

COLORREF* SurfacePresenter::WritableRow(int x, int y, int count)
{
    if (y < 0 || y >= m_height || x < 0 || count < 0 || x + count > m_width) return nullptr;
    Band& band = BandAt(y);
    if (!band.pending.Empty() || !MakeWritable(band)) return nullptr;
    const int row = y - band.rows.top;
    MarkDrawn(band, RowSpan{row, row + 1});
    return band.buffer->Pixels() + static_cast<std::ptrdiff_t>(row) * band.buffer->StridePixels() + x;
}

const COLORREF* SurfacePresenter::ReadableRow(int x, int y, int count) const
{
    if (y < 0 || y >= m_height || x < 0 || count < 0 || x + count > m_width) return nullptr;
    const Band& band = BandAt(y);
    if (!band.pending.Empty()) return nullptr;
    return band.buffer->Pixels() + static_cast<std::ptrdiff_t>(y - band.rows.top) * band.buffer->StridePixels() + x;
}

}  // namespace quorvana
