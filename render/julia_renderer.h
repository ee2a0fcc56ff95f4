// SPDX-License-Identifier: MIT
// The Julia picture engine of every fractal window: an escape-time picture of
// z → z² + c built one pixel row per tick in green levels (DrawNextRow), the
// frame end that zooms two-fold into the most detailed region and marks it,
// or picks a random view (FinishPicture), and the repaint that clears the
// window and ends the current picture at once (RestartPicture).
//
// The window owns one renderer, calls DrawNextRow once per timer tick with a
// surface on its whole client area and RestartPicture on every repaint with
// the surface of the repaint. All state lives in this object, private. Front
// ends and tools read it through CurrentView() and Row(); the
// renderer's own tests, benchmarks and fuzzers, which set up a view and check
// the state to the bit, reach the fields through JuliaRendererPeer
// (tests/support/julia_renderer_peer.h), which no shipped program links.
//
// The code: julia_row.cpp (the row step and the escape count),
// julia_frame_end.cpp (the detail search, the zoom and the marker),
// julia_view.cpp (the views, the reset and the repaint),
// julia_whole_row.cpp (rows drawn whole, for pictures without the saver's
// black rows).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "render/colour.h"
#include "render/crt_random.h"
#include "render/escape_kernel.h"
#include "render/surface.h"

namespace quorvana {

// What a tick did: the X11 window counts the pictures that end (for its
// picture limit), the exporter reports it, the Windows window ignores it.
enum class TickOutcome { Row, Zoomed, RandomView };

// A view of the plane with its constant c, as a frame end chooses them.
struct View {
    double reMin, reMax, imMin, imMax, cRe, cIm;
};

class JuliaRenderer {
public:
    static constexpr int kMaxIter = 512;                         // the escape loop's limit
    static constexpr COLORREF kMarkerColour = MakeRgb(0, 25, 0); // the dotted rectangle's colour

    // The random views draw from a generator seeded here, once. Rows are
    // drawn by the fastest row kernel of this processor.
    explicit JuliaRenderer(std::uint32_t seed);

    // --- Ticks and repaints: what a window calls ---

    // One tick: draws row m_row (odd rows stay black) and advances; after
    // the last row it finishes the picture on the same surface.
    TickOutcome DrawNextRow(Surface& surface);
    // The repaint: clears the surface, takes the geometry from its client
    // area and ends the current picture at once with its frame end.
    TickOutcome RestartPicture(Surface& paint);
    // The frame end: without a best row (none, row 0, or one past the
    // bottom) a random view; else zooms two-fold into the detail column of
    // the best row and frames it with the marker. Then ResetPicture.
    TickOutcome FinishPicture(Surface& surface);

    // For pictures shown whole (wallpapers): draws row m_row even when it
    // is odd, with the same coordinates a tick would use, and steps to the
    // next row; no frame end follows the last row, so no marker is drawn. A
    // copy of a window's renderer taken at a picture's start (row 0) draws
    // that picture's view whole; the window's own pictures stay untouched.
    void DrawWholeRow(Surface& surface);

    // --- Views ---

    // A random view and c from the next four draws of the generator.
    void ChooseRandomView();
    // The view and c for four given draws, each in 0 … 32767; the imaginary
    // span follows m_aspect.
    void ChooseRandomView(int r1, int r2, int r3, int r4);
    // Sets the view and c, as a frame end does; ResetPicture then starts it.
    void SetView(const View& view);
    // Starts a picture of the current view at row 0: the steps per pixel
    // from the view and m_width, m_height, the limit, no best row yet.
    void ResetPicture();

    // --- Where the picture stands: what front ends and tools read ---

    // The view and c being drawn (after a frame end: the next picture's).
    View CurrentView() const { return {m_reMin, m_reMax, m_imMin, m_imMax, m_cRe, m_cIm}; }
    // The row the next tick draws: 0 … the height; rows above it are done.
    int Row() const { return m_row; }

    // --- The marker ---

    // A dotted line in the picture's own manner. A horizontal one (y1 == y2)
    // covers x from min(x1, x2) up to, not including, max(x1, x2), and is
    // not drawn at all on an odd row. Any other is vertical at x1, whatever
    // x2 says, from min(y1, y2) up to, not including, max(y1, y2), with a
    // pixel on the even rows only.
    void DrawDottedLine(Surface& surface, int x1, int y1, int x2, int y2, COLORREF colour) const;
    // Four dotted lines: top and bottom from left to right, the bottom one
    // a pixel longer to take in the corner; left and right from top to bottom.
    void DrawDottedRect(Surface& surface, int left, int top, int right, int bottom, COLORREF colour) const;

    // --- The parts of a picture ---

    // Escape-time count of the point (x, y), 1 … m_maxIter, by the escape
    // loop (render/escape_loop.h) with this picture's c and limit; left in
    // m_iter with the final z in m_zRe, m_zIm and m_zReOld.
    int EscapeCount(double x, double y);
    // The column with the most colour transitions down the band of rows
    // m_bestRow − h, m_bestRow − h + 2, … m_bestRow + h − 2 (h: a quarter of
    // the height, made even), starting from black; the leftmost of equal
    // columns, 0 if none. Reads the rows in memory order with a counter per
    // column.
    int FindDetailColumn(const Surface& surface) const;

    // --- How rows are computed ---

    // Drawn rows by the plain loop, pixel by pixel through EscapeCount: the
    // reference the kernels match to the bit.
    void UsePlainLoop() { m_rowKernel.reset(); }
    // Drawn rows by this kernel with its own passes (coordinates, colours);
    // the pictures are the same as the plain loop's.
    void UseRowKernel(const EscapeKernel& kernel) { m_rowKernel = kernel; }
    // Steps of the escape loop taken so far, for throughput figures.
    std::uint64_t IterationsDone() const { return m_iterationsDone; }

    // The colour a count is drawn in: green kGreenStep · n (mod 256).
    static constexpr COLORREF DrawnColour(int n) { return MakeRgb(0, kGreenStep * static_cast<unsigned>(n) & 0xFF, 0); }
    // The value neighbouring pixels are compared by when counting a row's
    // changes: it differs exactly when the counts differ modulo 256.
    static constexpr COLORREF ComparisonValue(int n)
    {
        return MakeRgb(static_cast<unsigned>(17 * n) & 0xFF, static_cast<unsigned>(7 * n) & 0xFF,
                       static_cast<unsigned>(13 * n) & 0xFF);
    }

private:
    // The tests' view of the fields below (tests/support/julia_renderer_peer.h).
    template <class Renderer>
    friend class JuliaRendererPeer;

    void DrawRowPlain(Surface& surface);
    void DrawRowWithKernel(Surface& surface, const EscapeKernel& kernel);
    void ZoomInto(int detailColumn);
    void DrawMarker(Surface& surface, int detailColumn) const;

    // The renderer state; every field is zero at construction.
    std::int32_t m_width = 0;       // the picture's size, from the last repaint's client area
    std::int32_t m_height = 0;
    double m_reMin = 0;             // the view: real and imaginary ranges of the plane
    double m_reMax = 0;
    double m_imMin = 0;
    double m_imMax = 0;
    std::int32_t m_maxIter = 0;     // the escape loop's limit for this picture
    double m_zReOld = 0;            // the last point's z, as EscapeCount left it
    double m_zRe = 0;
    double m_zIm = 0;
    double m_cRe = 0;               // the constant c of z → z² + c
    double m_cIm = 0;
    std::int32_t m_iter = 0;        // the last point's count
    double m_reStep = 0;            // the plane's step from one pixel to the next
    double m_imStep = 0;
    std::int32_t m_col = 0;         // the pixel being drawn
    std::int32_t m_row = 0;
    double m_curRe = 0;             // that pixel's point, accumulated step by step
    double m_curIm = 0;
    std::int32_t m_rowChanges = 0;  // changes of comparison value along the current row
    std::int32_t m_bestChanges = 0; // the most changes of any row of this picture
    std::int32_t m_bestRow = 0;     // the first row with that many; 0: none yet
    COLORREF m_lastValue = 0;       // the comparison value of the last pixel drawn, in any row or picture
    double m_aspect = 0;            // m_width / m_height of the last repaint

    // The random views' generator, the row kernel and its scratch.
    CrtRandom m_random;
    std::optional<EscapeKernel> m_rowKernel;  // empty: the plain loop (UsePlainLoop)
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
