// The Julia picture engine of every fractal window: an escape-time picture of
// z → z² + c built one pixel row per tick in green levels (DrawNextRow), the
// frame end that zooms two-fold into the most detailed region and marks it,
// or picks a random view (FinishPicture), and the repaint that clears the
// window and ends the current picture at once (RestartPicture).
//
// The window owns one renderer, calls DrawNextRow once per timer tick with a
// surface on its whole client area and RestartPicture on every repaint with
// the surface of the repaint. All state lives in this object; the fields are
// public so that tools and tests can set up and inspect a view.
#pragma once

#include <cstdint>
#include <vector>

#include "render/colour.h"
#include "render/crt_random.h"
#include "render/escape_kernel.h"
#include "render/surface.h"

namespace quorvana {

// What a tick did; the windows ignore it, the exporter reports it.
enum class TickOutcome { Row, Zoomed, RandomView };

// A view of the plane with its constant c, as a frame end chooses them.
struct View {
    double reMin, reMax, imMin, imMax, cRe, cIm;
};

class JuliaRenderer {
public:
    static constexpr int kMaxIter = 512;
    static constexpr COLORREF kMarkerColour = MakeRgb(0, 25, 0);

    // The random views draw from a generator seeded here, once.
    explicit JuliaRenderer(std::uint32_t seed);

    // Handles row m_row and advances; after the last row it finishes the
    // picture on the same surface.
    TickOutcome DrawNextRow(Surface& surface);
    // The repaint: clears the surface, takes the geometry from its client
    // area and ends the current picture at once.
    TickOutcome RestartPicture(Surface& paint);
    TickOutcome FinishPicture(Surface& surface);
    void ChooseRandomView();
    // The view and c for four given draws, each in 0 … 32767.
    void ChooseRandomView(int r1, int r2, int r3, int r4);
    void ResetPicture();
    // Sets the view and c, as a frame end does; ResetPicture then starts it.
    void SetView(const View& view);
    void DrawDottedLine(Surface& surface, int x1, int y1, int x2, int y2, COLORREF colour) const;
    void DrawDottedRect(Surface& surface, int left, int top, int right, int bottom, COLORREF colour) const;

    // Escape-time count of the point (x, y), left in m_iter with the final z.
    int EscapeCount(double x, double y);
    // The column of the most colour transitions around m_bestRow, 0 if none.
    // Reads the rows in memory order with a counter per column.
    int FindDetailColumn(const Surface& surface) const;
    // The same search going down one column after the other, pixel by
    // pixel: the reference the row order must agree with.
    int FindDetailColumnColumnOrder(const Surface& surface) const;

    // Rows are computed by the fastest row kernel of this processor unless
    // told otherwise; nullptr selects the plain loop, pixel by pixel, which
    // the kernels match to the bit. Given a function alone, the passes
    // around it (coordinates, colours) stay the fastest ones; given a
    // kernel, its own passes come with it.
    void SetRowKernel(EscapeRowFunction kernel) { m_rowKernel = kernel; }
    void SetRowKernel(const EscapeKernel& kernel)
    {
        m_rowKernel = kernel.run;
        m_rowPasses = kernel;
    }
    EscapeRowFunction RowKernel() const { return m_rowKernel; }
    // Steps of the escape loop taken so far, for throughput figures.
    std::uint64_t IterationsDone() const { return m_iterationsDone; }

    static constexpr COLORREF DrawnColour(int n) { return MakeRgb(0, static_cast<unsigned>(11 * n) & 0xFF, 0); }
    static constexpr COLORREF ComparisonValue(int n)
    {
        return MakeRgb(static_cast<unsigned>(17 * n) & 0xFF, static_cast<unsigned>(7 * n) & 0xFF,
                       static_cast<unsigned>(13 * n) & 0xFF);
    }

    // The renderer state; every field is zero at construction.
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    double m_reMin = 0;
    double m_reMax = 0;
    double m_imMin = 0;
    double m_imMax = 0;
    std::int32_t m_maxIter = 0;
    double m_zReOld = 0;
    double m_zRe = 0;
    double m_zIm = 0;
    double m_cRe = 0;
    double m_cIm = 0;
    std::int32_t m_iter = 0;
    double m_reStep = 0;
    double m_imStep = 0;
    std::int32_t m_col = 0;
    std::int32_t m_row = 0;
    double m_curRe = 0;
    double m_curIm = 0;
    std::int32_t m_rowChanges = 0;
    std::int32_t m_bestChanges = 0;
    std::int32_t m_bestRow = 0;
    COLORREF m_lastValue = 0;
    double m_aspect = 0;

private:
    void DrawRowPlain(Surface& surface);
    void DrawRowWithKernel(Surface& surface);
    void ZoomInto(int detailColumn);
    void DrawMarker(Surface& surface, int detailColumn) const;

    CrtRandom m_random;
    EscapeRowFunction m_rowKernel;
    EscapeKernel m_rowPasses;  // its accumulate and colour passes serve the kernel path
    std::uint64_t m_iterationsDone = 0;
    // Scratch rows of the kernel path, kept to spare an allocation per tick.
    std::vector<double> m_rowRe;
    // Every row of a picture starts at m_reMin and steps by m_reStep, so the
    // x coordinates of the last row drawn serve the next one unchanged: they
    // were formed from these bits, by this pass, for this width.
    struct RowReSource {
        std::uint64_t reMinBits = 0;
        std::uint64_t reStepBits = 0;
        std::int32_t width = -1;
        AccumulateRowFunction accumulate = nullptr;
        bool operator==(const RowReSource&) const = default;
    };
    RowReSource m_rowReSource;
    double m_rowReEnd = 0;  // the pass's result: one step past the last x
    std::vector<std::int32_t> m_rowCounts;
    std::vector<COLORREF> m_rowColours;
};

}  // namespace quorvana
