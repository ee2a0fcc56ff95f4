// SPDX-License-Identifier: MIT
// The row step and the escape-time count. Coordinates are accumulated,
// never multiplied, and every real value is an IEEE double: the pictures
// must match to the bit, whichever way a row is computed.
#include <bit>

#include "render/escape_loop.h"
#include "render/julia_renderer.h"
#include "render/row_parity.h"

namespace quorvana {
namespace {

constexpr int kPixelsPerCacheLine = 64 / sizeof(COLORREF);

}  // namespace

JuliaRenderer::JuliaRenderer(std::uint32_t seed) : m_random(seed), m_rowKernel(DispatchedEscapeKernel()) {}

int JuliaRenderer::EscapeCount(double x, double y)
{
    const Escape z = EscapeFrom(x, y, m_cRe, m_cIm, m_maxIter);
    m_zReOld = z.zReOld;
    m_zRe = z.zRe;
    m_zIm = z.zIm;
    m_iter = z.iter;
    return m_iter;
}

TickOutcome JuliaRenderer::DrawNextRow(Surface& surface)
{
    m_rowChanges = 0;
    // The repaint's own call draws nothing and goes straight to the frame end.
    m_col = (m_row == m_height + 1) ? m_width + 1 : 0;
    m_curRe = m_reMin;
    // Odd rows stay black and count nothing.
    if (m_col < m_width && !IsOdd(m_row)) {
        if (m_rowKernel)
            DrawRowWithKernel(surface, *m_rowKernel);
        else
            DrawRowPlain(surface);
    }
    if (m_rowChanges > m_bestChanges) {  // a tie keeps the earlier row
        m_bestChanges = m_rowChanges;
        m_bestRow = m_row;
    }
    m_curIm += m_imStep;
    ++m_row;
    if (m_row < m_height) return TickOutcome::Row;
    return FinishPicture(surface);
}

// The reference: one point after the other, each through EscapeCount.
void JuliaRenderer::DrawRowPlain(Surface& surface)
{
    while (m_col < m_width) {
        const int n = EscapeCount(m_curRe, m_curIm);
        surface.SetPixel(m_col, m_row, DrawnColour(n));
        m_curRe += m_reStep;
        ++m_col;
        const COLORREF value = ComparisonValue(n);
        if (value != m_lastValue) ++m_rowChanges;
        m_lastValue = value;  // carried over across rows and pictures
        m_iterationsDone += static_cast<std::uint32_t>(n);
    }
}

// The same row in passes: the coordinates, the counts by the row kernel,
// then colours and changes. Every field ends as the plain loop leaves it.
void JuliaRenderer::DrawRowWithKernel(Surface& surface, const EscapeKernel& kernel)
{
    const int width = m_width;  // m_col is 0 and width is at least 1 here
    const std::size_t size = static_cast<std::size_t>(width);
    m_rowRe.resize(size);
    m_rowCounts.resize(size);
    double* const rowRe = m_rowRe.data();
    std::int32_t* const counts = m_rowCounts.data();

    // The same values as one addition per pixel in column order, the way
    // the plain loop steps m_curRe: multiplying would round differently.
    // Compared by their bits, so -0 and NaN count as what they are.
    const RowReSource source{std::bit_cast<std::uint64_t>(m_curRe), std::bit_cast<std::uint64_t>(m_reStep), width,
                             kernel.accumulate};
    if (!(source == m_rowReSource)) {
        m_rowReEnd = kernel.accumulate(m_curRe, m_reStep, width, rowRe);
        m_rowReSource = source;
    }
    m_curRe = m_rowReEnd;
    m_col = width;

    // Colours go straight into the surface's memory when the whole row is
    // inside its clip; otherwise through a buffer and the clipping SetRow.
    // A window's pixels outgrow the caches, so the row is fetched while the
    // kernel counts, one prefetch per cache line; the colour pass would
    // otherwise wait on every line it writes.
    COLORREF* const inPlace = surface.WritableRow(0, m_row, width);
    if (inPlace)
        for (int x = 0; x < width; x += kPixelsPerCacheLine) __builtin_prefetch(inPlace + x, 1);

    // The last point goes through EscapeCount itself, so that m_iter and
    // z end with that point's values, as the plain loop leaves them.
    kernel.run(EscapeRowJob{rowRe, width - 1, m_curIm, m_cRe, m_cIm, m_maxIter}, counts);
    counts[width - 1] = EscapeCount(rowRe[width - 1], m_curIm);

    if (!inPlace) m_rowColours.resize(size);
    COLORREF* const colours = inPlace ? inPlace : m_rowColours.data();
    const RowTotals row = kernel.colour(counts, width, colours);
    if (!inPlace) surface.SetRow(0, m_row, colours, width);
    // The first pixel is compared with the last value drawn before it.
    m_rowChanges = (ComparisonValue(counts[0]) != m_lastValue) + row.changes;
    m_lastValue = ComparisonValue(counts[width - 1]);  // carried over across rows and pictures
    m_iterationsDone += row.steps;
}

}  // namespace quorvana
