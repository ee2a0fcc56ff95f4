// SPDX-License-Identifier: MIT
// The views and the start of a picture: the random view, a view set from
// outside, the reset to row 0, and the repaint that ends the current picture.
#include <cmath>

#include "render/julia_renderer.h"

namespace quorvana {

namespace {

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

void JuliaRenderer::ChooseRandomView()
{
    const int r1 = m_random.Next();
    const int r2 = m_random.Next();
    const int r3 = m_random.Next();
    const int r4 = m_random.Next();
    ChooseRandomView(r1, r2, r3, r4);
}

// The real range from the first two draws; the imaginary range is centred
// on the axis, its span the real span truncated to a whole number, divided
// by the aspect and truncated again; c from the last two draws, each part
// in −1 … 1.
void JuliaRenderer::ChooseRandomView(int r1, int r2, int r3, int r4)
{
    const double reMin = r1 * kRandomScale * 3 - 6;
    const double reMax = r2 * kRandomScale * 3 + 3.25;
    const std::int32_t reSpan = static_cast<std::int32_t>(reMax - reMin);
    const std::int32_t imSpan = TruncateOrZero(reSpan / m_aspect);
    SetView(View{reMin, reMax, -(imSpan * 0.5), imSpan * 0.5, r3 * kRandomScale * 2 - 1, r4 * kRandomScale * 2 - 1});
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
    // One fill is enough: a window repaints through a pixel store in memory
    // (bare or behind a DirtySurface), which reads black where it was filled
    // and kNoPixel outside its clip, never white: a fill always takes.
    paint.FillBlack(client);
    m_width = client.right - client.left;
    m_height = client.bottom - client.top;
    m_aspect = static_cast<double>(m_width) / static_cast<double>(m_height);
    m_row = m_height + 1;
    return DrawNextRow(paint);
}

}  // namespace quorvana
