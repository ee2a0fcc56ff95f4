// SPDX-License-Identifier: MIT
#include "render/shown_picture.h"

#include <algorithm>
#include <cmath>

namespace quorvana {

namespace {

constexpr std::int64_t kOne = 1 << 16;

// Where `value` lies between low and high, in 16.16 pixels of `pixels`.
std::int64_t Fixed(double value, double low, double high, int pixels)
{
    const double at = (value - low) / (high - low) * pixels;
    if (!(at > -pixels && at < 2.0 * pixels)) return at > 0 ? 2LL * pixels * kOne : -pixels * kOne;
    return static_cast<std::int64_t>(std::floor(at * kOne));
}

}  // namespace

void ShownPicture::AfterTick(const PixelStore& store, TickOutcome outcome, const ZoomStep& views, int row)
{
    m_row = row;
    if (m_zoomTicks == 0) return;
    if (m_tick >= 0 && m_tick <= m_zoomTicks) ++m_tick;
    if (outcome == TickOutcome::Row) return;
    // A new picture; a random view's rows come down over the old one.
    m_tick = -1;
    if (outcome != TickOutcome::Zoomed) return;
    const int width = store.Width(), height = store.Height();
    if (m_finished.Width() != width || m_finished.Height() != height)
        if (!m_finished.Resize(width, height)) return;
    for (int y = 0; y < height; ++y)
        std::copy_n(store.Row(y), width, m_finished.WritableRow(0, y, width));
    const View& from = views.from;
    const View& to = views.to;
    m_region[0] = Fixed(to.reMin, from.reMin, from.reMax, width);
    m_region[2] = Fixed(to.reMax, from.reMin, from.reMax, width);
    m_region[1] = Fixed(to.imMin, from.imMin, from.imMax, height);
    m_region[3] = Fixed(to.imMax, from.imMin, from.imMax, height);
    m_tick = 0;
}

Rect ShownPicture::ShownArea(const Rect& changed, int width, int height) const
{
    if (ChangesAll()) return Rect{0, 0, width, height};
    return m_look.ShownArea(changed, height);
}

void ShownPicture::ShowRow(const PixelStore& store, int y, int left, int right, const PackedColours& colours,
                           std::uint32_t* target) const
{
    // The next picture's rows, once drawn, cover the zoom.
    if (m_tick < 0 || m_look.SourceRow(y) < m_row || store.Width() != m_finished.Width() ||
        store.Height() != m_finished.Height())
        m_look.ShowRow(store, y, left, right, colours, target);
    else
        ZoomRow(y, left, right, colours, target);
}

void ShownPicture::ZoomRow(int y, int left, int right, const PackedColours& colours, std::uint32_t* target) const
{
    const int width = m_finished.Width(), height = m_finished.Height();
    // The frame's rectangle of the finished picture, from the whole window
    // at tick 0 to the region at the last tick, in 16.16 pixels.
    const std::int64_t done = std::min(m_tick, m_zoomTicks), ticks = std::max(m_zoomTicks, 1);
    const std::int64_t whole[4] = {0, 0, width * kOne, height * kOne};
    std::int64_t frame[4];
    for (int i = 0; i < 4; ++i) frame[i] = whole[i] + (m_region[i] - whole[i]) * done / ticks;
    const std::int64_t sourceY = (frame[1] + (frame[3] - frame[1]) * y / height) >> 16;
    const int row = m_look.SourceRow(static_cast<int>(std::clamp<std::int64_t>(sourceY, 0, height - 1)));
    const COLORREF* source = m_finished.Row(row);
    // frame[0] + span · x / width, stepped along the row without dividing:
    // the same whole numbers as dividing for each pixel.
    const std::int64_t span = frame[2] - frame[0];
    std::int64_t quotient = span * left / width, remainder = span * left % width;
    const std::int64_t stepQuotient = span / width, stepRemainder = span % width;
    for (int x = left; x < right; ++x) {
        const std::int64_t sourceX = (frame[0] + quotient) >> 16;
        target[x] = colours[(source[std::clamp<std::int64_t>(sourceX, 0, width - 1)] >> 8) & 0xFF];
        quotient += stepQuotient;
        remainder += stepRemainder;
        if (remainder >= width) {
            ++quotient;
            remainder -= width;
        }
    }
}

}  // namespace quorvana
