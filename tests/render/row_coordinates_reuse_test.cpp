// SPDX-License-Identifier: MIT
// The renderer forms a row's x coordinates once and reuses them for the
// following rows while the row start, the step, the width and the pass stay
// the same; any change forms them afresh. Checked with a pass that counts
// its calls and whose values are the true sums.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "render/escape_kernel.h"
#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/support/julia_renderer_peer.h"

namespace quorvana {
namespace {

int s_accumulations = 0;  // calls of CountingAccumulate in the current test

double CountingAccumulate(double x0, double step, int count, double* xs)
{
    ++s_accumulations;
    return AccumulateRowScalar(x0, step, count, xs);
}

EscapeKernel CountingKernel()
{
    EscapeKernel kernel = AvailableEscapeKernels().back();
    kernel.accumulate = CountingAccumulate;
    return kernel;
}

// Draws rows with the plain loop and the counting kernel side by side and
// expects the same pixels, coordinates and changes after each.
struct SideBySide {
    JuliaRenderer plain{7};
    JuliaRenderer fast{7};
    PixelStore plainWindow;
    PixelStore fastWindow;

    SideBySide(int width, int height) : plainWindow(width, height), fastWindow(width, height)
    {
        plain.UsePlainLoop();
        fast.UseRowKernel(CountingKernel());
        plain.RestartPicture(plainWindow);
        fast.RestartPicture(fastWindow);
    }

    void DrawRow()
    {
        plain.DrawNextRow(plainWindow);
        fast.DrawNextRow(fastWindow);
        const JuliaRendererPeer a(plain), b(fast);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.m_curRe), std::bit_cast<std::uint64_t>(b.m_curRe));
        EXPECT_EQ(a.m_rowChanges, b.m_rowChanges);
        EXPECT_EQ(a.m_bestRow, b.m_bestRow);
        for (int y = 0; y < plainWindow.Height(); ++y)
            for (int x = 0; x < plainWindow.Width(); ++x)
                ASSERT_EQ(plainWindow.Row(y)[x], fastWindow.Row(y)[x]) << x << ", " << y;
    }

    // Both renderers jump to the given view and row, as a frame end would.
    void SetView(double reMin, double reMax, int row)
    {
        for (JuliaRenderer* r : {&plain, &fast}) {
            JuliaRendererPeer state(*r);
            state.m_reMin = reMin;
            state.m_reMax = reMax;
            r->ResetPicture();
            state.m_row = row;
        }
    }
};

TEST(RowCoordinateReuse, RowsOfOnePictureFormTheirCoordinatesOnce)
{
    SideBySide windows(37, 20);
    s_accumulations = 0;
    for (int row = 0; row < 18; ++row) windows.DrawRow();  // nine drawn rows, nine skipped
    EXPECT_EQ(s_accumulations, 1);
}

TEST(RowCoordinateReuse, ANewStartOrStepFormsThemAfresh)
{
    SideBySide windows(37, 20);
    windows.DrawRow();
    s_accumulations = 0;

    windows.SetView(-1.0, 1.0, 2);  // a new start and step
    windows.DrawRow();
    EXPECT_EQ(s_accumulations, 1);

    windows.SetView(-1.0, 3.0, 2);  // the same start, another step
    windows.DrawRow();
    EXPECT_EQ(s_accumulations, 2);

    windows.SetView(-0.5, 3.5, 2);  // the same step, another start
    windows.DrawRow();
    EXPECT_EQ(s_accumulations, 3);

    // Zero and minus zero are the same number but different starts to the
    // additions' bits: -0 + 0 is +0, yet the first pixel keeps its sign.
    windows.SetView(0.0, 4.0, 2);
    windows.DrawRow();
    windows.SetView(-0.0, 4.0, 2);
    windows.DrawRow();
    EXPECT_EQ(s_accumulations, 5);
}

TEST(RowCoordinateReuse, ANewWidthOrPassFormsThemAfresh)
{
    SideBySide windows(37, 20);
    windows.DrawRow();
    s_accumulations = 0;
    JuliaRendererPeer(windows.plain).m_width = JuliaRendererPeer(windows.fast).m_width = 30;  // a narrower row in the same store
    windows.DrawRow();
    windows.DrawRow();
    EXPECT_EQ(s_accumulations, 1);

    // Another pass is asked for its own values, even for the same row.
    windows.fast.UseRowKernel(AvailableEscapeKernels().front());
    windows.DrawRow();
    windows.DrawRow();
    windows.fast.UseRowKernel(CountingKernel());
    windows.DrawRow();
    windows.DrawRow();  // one of the two is even
    EXPECT_EQ(s_accumulations, 2);
}

}  // namespace
}  // namespace quorvana
