// SPDX-License-Identifier: MIT
// The frame end: the detail search over the finished picture as the surface
// holds it, the two-fold zoom, the dotted marker, or a random view.
#include "render/julia_renderer.h"

#include <vector>

#include "render/row_parity.h"

namespace quorvana {

namespace {

// Rows above and below the best row that the search and the marker take in.
std::int32_t HalfWindow(std::int32_t height)
{
    std::int32_t h = static_cast<std::int32_t>(height * 0.25);
    if (IsOdd(h)) --h;
    return h;
}

// transitions[x] += 1 where the column's pixel differs from the row before.
// Blocks of a fixed length let the compiler turn the loop into vector code.
void CountChanges(const COLORREF* previous, const COLORREF* current, std::int32_t* transitions, std::size_t width)
{
    constexpr std::size_t kBlock = 16;
    std::size_t x = 0;
    for (; x + kBlock <= width; x += kBlock)
        for (std::size_t i = x; i < x + kBlock; ++i) transitions[i] += current[i] != previous[i];
    for (; x < width; ++x) transitions[x] += current[x] != previous[x];
}

}  // namespace

TickOutcome JuliaRenderer::FinishPicture(Surface& surface)
{
    // A best row of 0 counts as no detail even when row 0 won; one at or past
    // the bottom is left from a taller window that a repaint cut short.
    if (m_bestRow == 0 || m_bestRow >= m_height || m_bestChanges == 0) {
        ChooseRandomView();
        ResetPicture();
        return TickOutcome::RandomView;
    }
    const int detailColumn = FindDetailColumn(surface);
    ZoomInto(detailColumn);
    if (detailColumn > 0) DrawMarker(surface, detailColumn);
    ResetPicture();
    return TickOutcome::Zoomed;
}

// Row by row with a counter per column: each column sees the same
// sequence of pixels as when it is scanned on its own, so the counts, and
// the leftmost column with the most, are the same. The previous colour of a
// column is simply its pixel in the row read before (black before the first).
int JuliaRenderer::FindDetailColumn(const Surface& surface) const
{
    const std::int32_t h = HalfWindow(m_height);
    if (m_width <= 0 || h <= 0) return 0;
    const std::size_t width = static_cast<std::size_t>(m_width);
    const std::vector<COLORREF> black(width, kBlack);
    std::vector<COLORREF> buffers[2] = {std::vector<COLORREF>(width), std::vector<COLORREF>(width)};
    int spare = 0;
    std::vector<std::int32_t> transitions(width, 0);
    const COLORREF* previous = black.data();  // every column starts from black
    for (int k = -h; k < h; k += 2) {
        // A row wholly inside the clip is read where it lies; any other row
        // is copied, reading kNoPixel outside the surface or its clip as
        // GetPixel does. The two buffers alternate so `previous` stays valid.
        const COLORREF* current = surface.ReadableRow(0, m_bestRow + k, m_width);
        if (!current) {
            surface.GetRow(0, m_bestRow + k, buffers[spare].data(), m_width);
            current = buffers[spare].data();
            spare ^= 1;
        }
        CountChanges(previous, current, transitions.data(), width);
        previous = current;
    }
    int detailColumn = 0;
    int bestTransitions = 0;
    for (std::size_t x = 0; x < width; ++x) {
        if (transitions[x] > bestTransitions) {  // the leftmost of equal columns wins
            detailColumn = static_cast<int>(x);
            bestTransitions = transitions[x];
        }
    }
    return detailColumn;
}

// Centres a view of half the real span on the detail point, the pixel of the
// detail column in the best row; the imaginary span follows the window's
// proportions, not the old view. The order of the operations is part of the
// pictures: each value is rounded as written here.
void JuliaRenderer::ZoomInto(int detailColumn)
{
    const double span = m_reMax - m_reMin;  // the real span of the old view
    const double detailRe = m_reMin + (detailColumn * span) / m_width;
    const double detailIm = m_imMin + ((m_imMax - m_imMin) * m_bestRow) / m_height;
    const double newSpan = span * 0.5;                        // the two-fold zoom
    const double halfReSpan = newSpan * 0.5;                  // either side of the point
    const double halfImSpan = (newSpan / m_aspect) * 0.5;
    m_reMin = detailRe - halfReSpan;
    m_reMax = detailRe + halfReSpan;
    m_imMin = detailIm - halfImSpan;
    m_imMax = detailIm + halfImSpan;
}

// The marker frames a quarter of the picture to either side of the detail
// point; top and bottom are made even so the next picture's rows cover it.
void JuliaRenderer::DrawMarker(Surface& surface, int detailColumn) const
{
    std::int32_t top = static_cast<std::int32_t>(m_bestRow - m_height * 0.25);
    if (IsOdd(top)) --top;
    std::int32_t bottom = static_cast<std::int32_t>(m_bestRow + m_height * 0.25);
    if (IsOdd(bottom)) ++bottom;
    const std::int32_t right = static_cast<std::int32_t>(detailColumn + m_width * 0.25);
    const std::int32_t left = static_cast<std::int32_t>(detailColumn - m_width * 0.25);
    DrawDottedRect(surface, left, top, right, bottom, kMarkerColour);
}

void JuliaRenderer::DrawDottedLine(Surface& surface, int x1, int y1, int x2, int y2, COLORREF colour) const
{
    if (y1 == y2) {
        if (IsOdd(y1)) return;
        const int from = x1 < x2 ? x1 : x2;
        const int to = x1 < x2 ? x2 : x1;
        for (int x = from; x < to; ++x) surface.SetPixel(x, y1, colour);
        return;
    }
    // Vertical at x1 whatever x2 says (see the header), one pixel on every even row.
    const int from = y1 < y2 ? y1 : y2;
    const int to = y1 < y2 ? y2 : y1;
    for (int y = from; y < to; ++y)
        if (!IsOdd(y)) surface.SetPixel(x1, y, colour);
}

void JuliaRenderer::DrawDottedRect(Surface& surface, int left, int top, int right, int bottom,
                                   COLORREF colour) const
{
    DrawDottedLine(surface, left, top, right, top, colour);
    DrawDottedLine(surface, left, bottom, right + 1, bottom, colour);  // + 1 takes in the corner
    DrawDottedLine(surface, left, top, left, bottom, colour);
    DrawDottedLine(surface, right, top, right, bottom, colour);
}

}  // namespace quorvana
