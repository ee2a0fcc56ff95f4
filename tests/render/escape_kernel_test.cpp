// SPDX-License-Identifier: MIT
// The row kernels against the escape loop, point by point, and the renderer
// with each kernel against the plain loop, tick by tick. Any drift of one
// count in one pixel fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "render/escape_kernel.h"
#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/render/sequential_sums.h"
#include "tests/support/julia_renderer_peer.h"

namespace quorvana {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The escape loop with every intermediate rounded through a volatile, so
// that no compiler setting can fuse a multiply and an add: a kernel, or
// EscapeCount, built with contraction would disagree with it.
std::int32_t ReferenceCount(double x, double y, double cRe, double cIm, int maxIter)
{
    volatile double zRe = x;
    volatile double zIm = y;
    volatile double t = zRe * zRe;
    std::int32_t iter = 0;
    volatile double sum;
    do {
        const double zReOld = zRe;
        ++iter;
        volatile double zIm2 = zIm * zIm;
        volatile double diff = t - zIm2;
        zRe = diff + cRe;
        volatile double product = zReOld * zIm;
        volatile double twice = 2 * product;
        zIm = twice + cIm;
        t = zRe * zRe;
        volatile double zImSq = zIm * zIm;
        sum = zImSq + t;
    } while (sum < 4.0 && iter < maxIter);
    return iter;
}

struct RowCase {
    std::string name;
    std::vector<double> xs;
    double y, cRe, cIm;
    int maxIter;
};

// The row's x coordinates as the plain loop steps them.
std::vector<double> Accumulated(double x0, double step, int count) { return test::SequentialSums(x0, step, count - 1); }

std::vector<RowCase> RowCases()
{
    std::vector<RowCase> cases;
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);

    // Random views and constants, |c| on both sides of the bound where the
    // kernels stop carrying the mask; every tail length up to 17.
    for (int i = 0; i < 40; ++i) {
        const double span = std::ldexp(1.0, -static_cast<int>(random() % 20));
        const int count = 1 + static_cast<int>(random() % 17);
        const double cScale = i % 3 == 0 ? 2.2 : 1.0;
        cases.push_back({"random " + std::to_string(i), Accumulated(unit(random) * 1.5, span * 4 / count, count),
                         unit(random) * 1.5, unit(random) * cScale, unit(random) * cScale, 512});
    }
    // Deep zooms onto the boundary of well-known sets, down to steps of a
    // few units in the last place, where neighbours repeat and counts are long.
    const struct { double x, y, cRe, cIm; } deep[] = {
        {-0.0165, 0.3745, -0.123, 0.745}, {0.28, 0.0084, -0.8, 0.156}, {-0.7436, 0.1318, -0.75, 0.11}};
    for (const auto& d : deep)
        for (double step : {1e-9, 1e-13, 1e-16})
            cases.push_back({"deep step " + std::to_string(step), Accumulated(d.x, step, 61), d.y, d.cRe, d.cIm, 512});
    // Rows of steps a few units in the last place around the point of a
    // row that stays longest in the loop without reaching the limit. Only
    // there does a rounding difference of one unit reach the count: a fused
    // multiply-add in a kernel changes a pixel in some of these rows.
    const struct { double cRe, cIm; } boundary[] = {{-0.123, 0.745}, {-0.8, 0.156}, {0.285, 0.01},
                                                   {-0.75, 0.11},   {0.4, 0.35},    {-0.4, 0.6}};
    for (const auto& c : boundary) {
        for (double y : {0.05, 0.15, 0.25, 0.35}) {
            int longest = -1;
            double at = 0;
            const auto consider = [&](double x) {
                const int n = ReferenceCount(x, y, c.cRe, c.cIm, 512);
                if (n > longest && n < 512) {
                    longest = n;
                    at = x;
                }
            };
            for (int i = 0; i < 400; ++i) consider(-2 + 4.0 * i / 400);
            for (double width = 0.01; width > 1e-19; width /= 4) {
                const double centre = at;
                for (int i = -20; i <= 20; ++i) consider(centre + width * i / 20);
            }
            for (double step : {1e-13, 1e-15})
                cases.push_back({"boundary c " + std::to_string(c.cRe) + " y " + std::to_string(y),
                                 Accumulated(at - 32 * step, step, 64), y, c.cRe, c.cIm, 512});
        }
    }
    // Every point in the loop to the limit, z shrinking through the
    // subnormal range towards 0.
    cases.push_back({"to the limit via subnormals", Accumulated(-0.9, 0.031, 59), 1e-300, 0.0, 0.0, 512});
    cases.push_back({"near c = -2", Accumulated(-2.0, 0.0625, 64), 0.0, -2.0, 0.0, 512});

    // NaN, infinities, huge and subnormal coordinates among ordinary ones.
    std::vector<double> odd = {kNaN, 0.1, kInf, -kInf, 0.2, 1e300, -1e300, 1e154, 5e-324, -0.0,
                               0.25, kNaN, 0.3, 1.9999999999999998, 2.0, -1e-310, kInf, 0.0, 0.35};
    cases.push_back({"special x", odd, 0.1, -0.123, 0.745, 512});
    cases.push_back({"special x, c beyond 2", odd, 0.0, 2.5, -0.3, 512});
    cases.push_back({"NaN y", Accumulated(-1, 0.25, 9), kNaN, 0.3, 0.5, 512});
    cases.push_back({"infinite y", Accumulated(-1, 0.25, 9), -kInf, 0.3, 0.5, 512});
    cases.push_back({"NaN c", Accumulated(-1, 0.25, 9), 0.0, kNaN, 0.5, 512});
    cases.push_back({"infinite c", Accumulated(-1, 0.25, 9), 0.0, 0.2, kInf, 512});

    // Lengths around every lane and slot count, and a long row.
    for (int count : {1, 3, 5, 4097})
        cases.push_back({"length " + std::to_string(count), Accumulated(-2.5, 5.0 / count, count), 0.05, -0.8,
                         0.156, count == 4097 ? 64 : 512});
    for (int count = 1; count <= 33; ++count)
        cases.push_back({"tail " + std::to_string(count), Accumulated(-1.6, 3.2 / count, count), 0.2, -0.123,
                         0.745, 300});

    // Rows past the chunk length of the quick pass, whose long-running
    // points are continued in batches: lengths on and around its multiples,
    // over views where most points outlast the quick pass.
    for (int count : {511, 512, 513, 1023, 1025, 1541, 2047, 2048, 2049, 4097, 4100})
        cases.push_back({"chunks " + std::to_string(count), Accumulated(-1.6, 3.2 / count, count), 0.01, -0.123,
                         0.745, 512});
    cases.push_back({"chunks of long counts", Accumulated(-0.2, 0.4 / 1100, 1100), 0.05, -0.123, 0.745, 512});
    // Points that leave just before, at and just after the end of the quick
    // pass, next to each other in every lane order.
    cases.push_back({"around the quick pass", Accumulated(-1.9, 3.8 / 997, 997), 0.3, 0.26, 0.0, 512});

    // A vector right after one that kept points in the loop takes the quick
    // steps without a test between them. Behind such vectors and behind
    // vectors that left entirely: points leaving after 1 to 5 steps in every
    // lane order, and long counts; on both sides of the bound where the
    // kernels stop carrying the mask, with limits around the quick pass.
    for (const auto& c : {std::pair{-0.123, 0.745}, std::pair{-1.31, 0.05}}) {
        const double y = 0.1;
        std::vector<double> byCount(6, kNaN);  // a point leaving after that many steps
        double longer = kNaN;                  // the one staying longest
        int longest = 0;
        for (int i = 0; i <= 20480; ++i) {
            const double x = -2.5 + i / 4096.0;
            const int n = ReferenceCount(x, y, c.first, c.second, 512);
            if (n <= 5 && std::isnan(byCount[n])) byCount[n] = x;
            if (n > longest) {
                longest = n;
                longer = x;
            }
        }
        std::vector<double> shorter;
        for (int n = 1; n <= 5; ++n)
            if (!std::isnan(byCount[n])) shorter.push_back(byCount[n]);
        EXPECT_GE(shorter.size(), 3u);
        EXPECT_GE(longest, 20);
        const int kinds = static_cast<int>(shorter.size()) + 1;  // the short ones and the long one
        std::vector<double> xs;
        for (int order = 0; order < kinds * kinds * kinds * kinds; ++order) {
            if (order % 3 != 2)
                for (int lane = 0; lane < 4; ++lane) xs.push_back(longer);
            for (int lane = 0, digits = order; lane < 4; ++lane, digits /= kinds)
                xs.push_back(digits % kinds == 0 ? longer : shorter[digits % kinds - 1]);
        }
        for (int limit : {2, 3, 4, 5, 6, 512})
            cases.push_back({"behind long counts, c " + std::to_string(c.second) + ", limit " + std::to_string(limit), xs,
                             y, c.first, c.second, limit});

        // The quick pass takes several vectors side by side and stops them
        // together: vectors whose lanes all leave after k steps next to
        // vectors that leave later or stay long, in every order of three,
        // shifted by a few points so that they meet in every position; as
        // vectors of eight lanes, then of four.
        std::vector<double> whole;
        for (int order = 0; order < 2 * kinds * kinds * kinds; ++order)
            for (int v = 0, digits = order; v < 3; ++v, digits /= kinds)
                for (int lane = 0; lane < (order < kinds * kinds * kinds ? 8 : 4); ++lane)
                    whole.push_back(digits % kinds == 0 ? longer : shorter[digits % kinds - 1]);
        for (int shift : {0, 1, 3, 4, 7, 8, 11, 15}) {
            std::vector<double> shifted(static_cast<std::size_t>(shift), shorter[0]);
            shifted.insert(shifted.end(), whole.begin(), whole.end());
            for (int limit : {2, 4, 5, 512})
                cases.push_back({"vectors side by side, c " + std::to_string(c.second) + ", shift " +
                                     std::to_string(shift) + ", limit " + std::to_string(limit),
                                 shifted, y, c.first, c.second, limit});
        }
    }

    // Limits other than 512, including those below 1 where the first step
    // alone is taken, and those at and just past the quick pass.
    for (int limit : {1, 0, -7, 2, 3, 4, 5, 6, 7, 8, 9, 1000})
        cases.push_back({"limit " + std::to_string(limit), Accumulated(-1.2, 0.11, 23), 0.1, -0.123, 0.745, limit});
    return cases;
}

TEST(EscapeKernels, EveryKernelMatchesTheEscapeLoopOnEveryPoint)
{
    const std::vector<EscapeKernel> kernels = AvailableEscapeKernels();
    ASSERT_FALSE(kernels.empty());
    EXPECT_STREQ(kernels.front().name, "scalar");
    for (const RowCase& row : RowCases()) {
        const int count = static_cast<int>(row.xs.size());
        std::vector<std::int32_t> expected(row.xs.size());
        JuliaRenderer renderer(1);
        JuliaRendererPeer state(renderer);
        state.m_cRe = row.cRe;
        state.m_cIm = row.cIm;
        state.m_maxIter = row.maxIter;
        for (int i = 0; i < count; ++i) {
            expected[i] = ReferenceCount(row.xs[i], row.y, row.cRe, row.cIm, row.maxIter);
            ASSERT_EQ(renderer.EscapeCount(row.xs[i], row.y), expected[i]) << row.name << ", EscapeCount, point " << i;
        }
        for (const EscapeKernel& kernel : kernels) {
            std::vector<std::int32_t> counts(row.xs.size() + 1, -99);  // one past the end must stay untouched
            kernel.run(EscapeRowJob{row.xs.data(), count, row.y, row.cRe, row.cIm, row.maxIter}, counts.data());
            for (int i = 0; i < count; ++i)
                ASSERT_EQ(counts[i], expected[i]) << row.name << ", kernel " << kernel.name << ", point " << i
                                                  << " x = " << row.xs[i];
            EXPECT_EQ(counts[count], -99) << row.name << ", kernel " << kernel.name;
        }
    }
}

TEST(EscapeKernels, AnEmptyRowWritesNothing)
{
    for (const EscapeKernel& kernel : AvailableEscapeKernels()) {
        std::int32_t sentinel = -99;
        kernel.run(EscapeRowJob{nullptr, 0, 0.0, 0.0, 0.0, 512}, &sentinel);
        EXPECT_EQ(sentinel, -99) << kernel.name;
    }
}

// A build for a processor with vector kernels of ours holds them: one that
// quietly fell back to the scalar kernel alone would pass every other test.
TEST(EscapeKernels, TheProcessorsVectorKernelIsBuiltIn)
{
    std::vector<std::string> names;
    for (const EscapeKernel& kernel : AvailableEscapeKernels()) names.push_back(kernel.name);
#if defined(__aarch64__)
    EXPECT_EQ(names, (std::vector<std::string>{"scalar", "neon"}));
#elif defined(__x86_64__)
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[1], "sse2");
#endif
}

TEST(EscapeKernels, TheDispatchedKernelIsTheLastAvailable)
{
    const std::vector<EscapeKernel> kernels = AvailableEscapeKernels();
    EXPECT_EQ(DispatchedEscapeKernel().run, kernels.back().run);
    EXPECT_EQ(DispatchedEscapeKernel().colour, kernels.back().colour);
}

// The vector colour passes start their vectors where the colours' memory
// reaches a vector boundary, so the pixels before it depend on the address:
// every start within a 64-byte line, every row length up to a few vectors,
// against the scalar pass; nothing written outside the row.
TEST(EscapeKernels, ColourPassesAgreeAtEveryStartAddress)
{
    std::vector<std::int32_t> counts;
    for (int i = 0; i < 70; ++i) counts.push_back(i % 5 == 0 ? 300 + 256 * (i % 3) : 1 + i * 7);
    for (const EscapeKernel& kernel : AvailableEscapeKernels())
        for (int start = 0; start < 16; ++start)
            for (int count : {1, 2, 15, 16, 17, 18, 33, 47, 70}) {
                SCOPED_TRACE(std::string(kernel.name) + ", start " + std::to_string(start) + ", count " +
                             std::to_string(count));
                alignas(64) COLORREF expected[16 + 70 + 1], got[16 + 70 + 1];
                std::fill(std::begin(expected), std::end(expected), 0xDEADBEEF);
                std::fill(std::begin(got), std::end(got), 0xDEADBEEF);
                const RowTotals want = ColourRowScalar(counts.data(), count, expected + start);
                const RowTotals have = kernel.colour(counts.data(), count, got + start);
                EXPECT_EQ(have.changes, want.changes);
                EXPECT_EQ(have.steps, want.steps);
                EXPECT_TRUE(std::equal(std::begin(got), std::end(got), expected)) << "within the row or outside it";
            }
}

// Doubles compared by their bits, so that NaN equals the same NaN.
bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectSameState(const JuliaRenderer& plain, const JuliaRenderer& fast, const std::string& where)
{
    const JuliaRendererPeer a(plain), b(fast);
#define QUORVANA_EXPECT_SAME_INT(field) EXPECT_EQ(a.field, b.field) << where << ": " #field
#define QUORVANA_EXPECT_SAME_REAL(field) EXPECT_TRUE(SameBits(a.field, b.field)) << where << ": " #field << " " << a.field << " vs " << b.field
    QUORVANA_EXPECT_SAME_INT(m_width);
    QUORVANA_EXPECT_SAME_INT(m_height);
    QUORVANA_EXPECT_SAME_REAL(m_reMin);
    QUORVANA_EXPECT_SAME_REAL(m_reMax);
    QUORVANA_EXPECT_SAME_REAL(m_imMin);
    QUORVANA_EXPECT_SAME_REAL(m_imMax);
    QUORVANA_EXPECT_SAME_INT(m_maxIter);
    QUORVANA_EXPECT_SAME_REAL(m_zReOld);
    QUORVANA_EXPECT_SAME_REAL(m_zRe);
    QUORVANA_EXPECT_SAME_REAL(m_zIm);
    QUORVANA_EXPECT_SAME_REAL(m_cRe);
    QUORVANA_EXPECT_SAME_REAL(m_cIm);
    QUORVANA_EXPECT_SAME_INT(m_iter);
    QUORVANA_EXPECT_SAME_REAL(m_reStep);
    QUORVANA_EXPECT_SAME_REAL(m_imStep);
    QUORVANA_EXPECT_SAME_INT(m_col);
    QUORVANA_EXPECT_SAME_INT(m_row);
    QUORVANA_EXPECT_SAME_REAL(m_curRe);
    QUORVANA_EXPECT_SAME_REAL(m_curIm);
    QUORVANA_EXPECT_SAME_INT(m_rowChanges);
    QUORVANA_EXPECT_SAME_INT(m_bestChanges);
    QUORVANA_EXPECT_SAME_INT(m_bestRow);
    QUORVANA_EXPECT_SAME_INT(m_lastValue);
    QUORVANA_EXPECT_SAME_REAL(m_aspect);
#undef QUORVANA_EXPECT_SAME_INT
#undef QUORVANA_EXPECT_SAME_REAL
    EXPECT_EQ(plain.IterationsDone(), fast.IterationsDone()) << where << ": IterationsDone()";
}

bool SamePixels(const PixelStore& a, const PixelStore& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    if (a.Width() == 0) return true;  // no rows to compare (and no memory behind them)
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.Row(y), b.Row(y), sizeof(COLORREF) * static_cast<std::size_t>(a.Width())) != 0) return false;
    return true;
}

struct WindowCase {
    int width, height;
    std::uint32_t seed;
    int pictures;
    bool clipped;  // the window's store clipped to an inner rectangle
};

// A simulated window drawn by the plain loop and by a kernel side by side,
// every field and every pixel compared after every tick, across zooms and
// random views.
void ExpectKernelDrawsWhatThePlainLoopDraws(const EscapeKernel& kernel, const WindowCase& w)
{
    const std::string where = std::string(kernel.name) + " " + std::to_string(w.width) + "x" +
                              std::to_string(w.height) + " seed " + std::to_string(w.seed);
    JuliaRenderer plain(w.seed);
    JuliaRenderer fast(w.seed);
    plain.UsePlainLoop();
    fast.UseRowKernel(kernel);
    PixelStore plainWindow(w.width, w.height);
    PixelStore fastWindow(w.width, w.height);
    if (w.clipped) {
        plainWindow.SetClip(Rect{3, 1, w.width - 5, w.height - 2});
        fastWindow.SetClip(Rect{3, 1, w.width - 5, w.height - 2});
    }
    EXPECT_EQ(plain.RestartPicture(plainWindow), fast.RestartPicture(fastWindow)) << where;
    ExpectSameState(plain, fast, where + " after the repaint");
    for (int picture = 0, tick = 0; picture < w.pictures; ++tick) {
        const TickOutcome outcome = plain.DrawNextRow(plainWindow);
        ASSERT_EQ(outcome, fast.DrawNextRow(fastWindow)) << where << " tick " << tick;
        ASSERT_TRUE(SamePixels(plainWindow, fastWindow)) << where << " tick " << tick;
        ExpectSameState(plain, fast, where + " tick " + std::to_string(tick));
        if (::testing::Test::HasFailure()) return;
        if (outcome != TickOutcome::Row || w.height <= 0) ++picture;
    }
}

TEST(EscapeKernels, RendererWithEachKernelDrawsWhatThePlainLoopDraws)
{
    const WindowCase windows[] = {
        {1, 1, 3, 3, false},   {1, 12, 5, 2, false},  {3, 9, 7, 3, false},    {5, 2, 11, 3, false},
        {17, 12, 13, 4, false}, {64, 48, 1, 4, false}, {33, 40, 2, 3, true},   {97, 20, 42, 3, false},
        {0, 6, 9, 2, false},   {6, 0, 9, 2, false},   {600, 24, 99, 4, false},
    };
    for (const EscapeKernel& kernel : AvailableEscapeKernels())
        for (const WindowCase& w : windows) {
            ExpectKernelDrawsWhatThePlainLoopDraws(kernel, w);
            if (HasFailure()) return;
        }
}

// Rows of every length up to a few vectors of every width, so that every
// kernel and pass meets each tail length in its own pictures.
TEST(EscapeKernels, RowsOfEveryWidthDrawWhatThePlainLoopDraws)
{
    for (const EscapeKernel& kernel : AvailableEscapeKernels())
        for (int width = 1; width <= 41; ++width) {
            ExpectKernelDrawsWhatThePlainLoopDraws(kernel, WindowCase{width, 16, static_cast<std::uint32_t>(width), 3, false});
            if (HasFailure()) return;
        }
}

// Each kernel's count function between the fastest passes: the parts of a
// row do not depend on coming from one instruction set.
TEST(EscapeKernels, AKernelFunctionBetweenOtherPassesDrawsWhatThePlainLoopDraws)
{
    for (const EscapeKernel& kernel : AvailableEscapeKernels()) {
        EscapeKernel mixed = DispatchedEscapeKernel();
        mixed.name = kernel.name;
        mixed.run = kernel.run;
        ExpectKernelDrawsWhatThePlainLoopDraws(mixed, WindowCase{45, 30, 4, 3, false});
    }
}

// The kernel path in the middle of a picture: the row's last pixel leaves
// z and the count, and a change at the first pixel is counted against the
// previous row's last value, as in the plain loop.
TEST(EscapeKernels, RowFieldsEndAsThePlainLoopLeavesThem)
{
    for (const EscapeKernel& kernel : AvailableEscapeKernels()) {
        JuliaRenderer plain(0);
        JuliaRenderer fast(0);
        fast.UseRowKernel(kernel);
        plain.UsePlainLoop();
        for (JuliaRenderer* r : {&plain, &fast}) {
            JuliaRendererPeer state(*r);
            state.m_width = 37;
            state.m_height = 10;
            r->SetView(View{-1.7, 1.3, -0.2, 0.9, -0.123, 0.745});
            state.m_aspect = 3.7;
            r->ResetPicture();
            state.m_lastValue = JuliaRenderer::ComparisonValue(7);
        }
        PixelStore a(37, 10);
        PixelStore b(37, 10);
        for (int row = 0; row < 9; ++row) {
            plain.DrawNextRow(a);
            fast.DrawNextRow(b);
            ExpectSameState(plain, fast, std::string(kernel.name) + " row " + std::to_string(row));
        }
        EXPECT_TRUE(SamePixels(a, b)) << kernel.name;
        EXPECT_GT(JuliaRendererPeer(plain).m_bestChanges, 0);
    }
}

}  // namespace
}  // namespace quorvana
