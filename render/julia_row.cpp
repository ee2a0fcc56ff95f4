// The row step, the escape-time count, the random view, the reset and the
// repaint. Coordinates are accumulated, never multiplied, and every real
// value is an IEEE double: the pictures must match to the bit.
#include <bit>
#include <cmath>
#include <limits>

#include "render/julia_renderer.h"

namespace quorvana {

namespace {

bool IsOdd(std::int32_t value) { return value % 2 != 0; }

// The single-precision value nearest to 1/32767, as the random views scale by it.
constexpr double kRandomScale = static_cast<double>(1.0f / 32767.0f);

// Truncates toward zero. A quotient that is not finite or does not fit (only
// an empty client area produces one) counts as 0 rather than being converted.
std::int32_t TruncateOrZero(double value)
{
    constexpr double kLimit = 2147483648.0;
    if (!std::isfinite(value) || value <= -kLimit || value >= kLimit) return 0;
    return static_cast<std::int32_t>(value);
}

}  // namespace

JuliaRenderer::JuliaRenderer(std::uint32_t seed)
    : m_random(seed), m_rowKernel(DispatchedEscapeKernel().run), m_rowPasses(DispatchedEscapeKernel())
{
}

int JuliaRenderer::EscapeCount(double x, double y)
{
    m_iter = 0;
    m_zRe = x;
    m_zIm = y;
    double t = m_zRe * m_zRe;
    do {
        m_zReOld = m_zRe;
        ++m_iter;
        m_zRe = (t - m_zIm * m_zIm) + m_cRe;
        m_zIm = 2 * (m_zReOld * m_zIm) + m_cIm;
        t = m_zRe * m_zRe;
    } while (m_zIm * m_zIm + t < 4.0 && m_iter < m_maxIter);
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
            DrawRowWithKernel(surface);
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
void JuliaRenderer::DrawRowWithKernel(Surface& surface)
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
                             m_rowPasses.accumulate};
    if (!(source == m_rowReSource)) {
        m_rowReEnd = m_rowPasses.accumulate(m_curRe, m_reStep, width, rowRe);
        m_rowReSource = source;
    }
    m_curRe = m_rowReEnd;
    m_col = width;

    // The last point goes through EscapeCount itself, so that m_iter and
    // z end with that point's values, as the plain loop leaves them.
    m_rowKernel(EscapeRowJob{rowRe, width - 1, m_curIm, m_cRe, m_cIm, m_maxIter}, counts);
    counts[width - 1] = EscapeCount(rowRe[width - 1], m_curIm);

    // Colours go straight into the surface's memory when the whole row is
    // inside its clip; otherwise through a buffer and the clipping SetRow.
    COLORREF* const inPlace = surface.WritableRow(0, m_row, width);
    if (!inPlace) m_rowColours.resize(size);
    COLORREF* const colours = inPlace ? inPlace : m_rowColours.data();
    const RowColours row = m_rowPasses.colour(counts, width, colours);
    if (!inPlace) surface.SetRow(0, m_row, colours, width);
    // The first pixel is compared with the last value drawn before it.
    m_rowChanges = (ComparisonValue(counts[0]) != m_lastValue) + row.changes;
    m_lastValue = ComparisonValue(counts[width - 1]);  // carried over across rows and pictures
    m_iterationsDone += row.steps;
}

void JuliaRenderer::ChooseRandomView()
{
    const int r1 = m_random.Next();
    const int r2 = m_random.Next();
    const int r3 = m_random.Next();
    const int r4 = m_random.Next();
    ChooseRandomView(r1, r2, r3, r4);
}

void JuliaRenderer::ChooseRandomView(int r1, int r2, int r3, int r4)
{
    m_reMin = r1 * kRandomScale * 3 - 6;
    m_reMax = r2 * kRandomScale * 3 + 3.25;
    const std::int32_t s = static_cast<std::int32_t>(m_reMax - m_reMin);
    const std::int32_t a = TruncateOrZero(s / m_aspect);
    m_imMax = a * 0.5;
    m_imMin = -(a * 0.5);
    m_cRe = r3 * kRandomScale * 2 - 1;
    m_cIm = r4 * kRandomScale * 2 - 1;
}

void JuliaRenderer::SetView(const View& view)
{
    m_reMin = view.reMin;
    m_reMax = view.reMax;
    m_imMin = view.imMin;
    m_imMax = view.imMax;
    m_cRe = view.cRe;
    m_cIm = view.cIm;
}

void JuliaRenderer::ResetPicture()
{
    m_bestChanges = 0;
    m_bestRow = 0;
    m_maxIter = kMaxIter;
    m_row = 0;
    m_reStep = (m_reMax - m_reMin) / static_cast<double>(m_width);
    m_imStep = (m_imMax - m_imMin) / static_cast<double>(m_height);
    m_curIm = m_imMin;
}

TickOutcome JuliaRenderer::RestartPicture(Surface& paint)
{
    const Rect client = paint.ClientRect();
    paint.FillBlack(client);
    m_width = client.right - client.left;
    m_height = client.bottom - client.top;
    m_aspect = static_cast<double>(m_width) / static_cast<double>(m_height);
    // A surface that reads pure white at all three probes did not take the fill.
    if (paint.GetPixel(m_width / 2, 10) == kWhite && paint.GetPixel(10, m_height - 10) == kWhite &&
        paint.GetPixel(m_width - 10, m_height - 10) == kWhite)
        paint.FillBlack(client);
    m_row = m_height + 1;
    return DrawNextRow(paint);
}

}  // namespace quorvana
