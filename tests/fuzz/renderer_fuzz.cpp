// SPDX-License-Identifier: MIT
// The renderer from arbitrary numbers. Part one: every row kernel and its
// passes against the plain loop on the same row, any x, y, c and limit,
// NaN, infinities, denormals and huge values included. Part two: a window
// of any size from 0 × 0 (its store possibly of another size, as after a
// resize not yet repainted), repainted through any clip rectangle, given any
// view and c, ticked through picture ends: drawn by the plain loop and by a
// kernel side by side, both must leave the same pixels and the same state
// after every step, and the dirty area must hold every pixel that changed.
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <algorithm>
#include <vector>

#include "render/dirty_surface.h"
#include "render/julia_renderer.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/render/sequential_sums.h"
#include "tests/support/julia_renderer_peer.h"

using namespace quorvana;
using fuzz::AnyReal;
using fuzz::SameBits;
using fuzz::SamePixels;

namespace {

void CheckKernels(FuzzedDataProvider& in)
{
    const int count = in.ConsumeIntegralInRange(0, 40);
    std::vector<double> xs(static_cast<std::size_t>(count));
    for (double& x : xs) x = AnyReal(in);
    EscapeRowJob job{xs.data(), count, AnyReal(in), AnyReal(in), AnyReal(in), in.ConsumeIntegralInRange(-2, 600)};
    JuliaRenderer plain(1);
    JuliaRendererPeer state(plain);
    state.m_cRe = job.cRe;
    state.m_cIm = job.cIm;
    state.m_maxIter = job.maxIter;
    std::vector<std::int32_t> expected(xs.size()), counts(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) expected[i] = plain.EscapeCount(xs[i], job.y);

    const double x0 = AnyReal(in), step = AnyReal(in);
    std::vector<double> steppedPlain = test::SequentialSums(x0, step, count), stepped(xs.size());
    const double end = steppedPlain.back();
    std::vector<COLORREF> colours(xs.size());
    for (const EscapeKernel& kernel : AvailableEscapeKernels()) {
        kernel.run(job, counts.data());
        FUZZ_CHECK(counts == expected, "a kernel's counts are the plain loop's");
        FUZZ_CHECK(SameBits(kernel.accumulate(x0, step, count, stepped.data()), end), "the pass ends one step past");
        for (std::size_t i = 0; i < xs.size(); ++i) FUZZ_CHECK(SameBits(stepped[i], steppedPlain[i]), "x steps as added");
        const RowTotals totals = kernel.colour(expected.data(), count, colours.data());
        std::int32_t changes = 0;
        std::uint64_t steps = 0;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            FUZZ_CHECK(colours[i] == JuliaRenderer::DrawnColour(expected[i]), "colours as drawn");
            if (i > 0) changes += JuliaRenderer::ComparisonValue(expected[i]) != JuliaRenderer::ComparisonValue(expected[i - 1]);
            steps += static_cast<std::uint32_t>(expected[i]);
        }
        FUZZ_CHECK(totals.changes == changes && totals.steps == steps, "row totals");
    }
}

bool SameState(const JuliaRenderer& plain, const JuliaRenderer& fast)
{
    const JuliaRendererPeer a(plain), b(fast);
    const double reals[][2] = {{a.m_reMin, b.m_reMin}, {a.m_reMax, b.m_reMax}, {a.m_imMin, b.m_imMin},
                               {a.m_imMax, b.m_imMax}, {a.m_zReOld, b.m_zReOld}, {a.m_zRe, b.m_zRe},
                               {a.m_zIm, b.m_zIm},     {a.m_cRe, b.m_cRe},     {a.m_cIm, b.m_cIm},
                               {a.m_reStep, b.m_reStep}, {a.m_imStep, b.m_imStep}, {a.m_curRe, b.m_curRe},
                               {a.m_curIm, b.m_curIm}, {a.m_aspect, b.m_aspect}};
    for (const auto& pair : reals)
        if (!SameBits(pair[0], pair[1])) return false;
    return a.m_width == b.m_width && a.m_height == b.m_height && a.m_maxIter == b.m_maxIter && a.m_iter == b.m_iter &&
           a.m_col == b.m_col && a.m_row == b.m_row && a.m_rowChanges == b.m_rowChanges &&
           a.m_bestChanges == b.m_bestChanges && a.m_bestRow == b.m_bestRow && a.m_lastValue == b.m_lastValue;
}

// Every pixel that differs from before lies in the dirty area.
void CheckDirty(const std::vector<COLORREF>& before, const PixelStore& store, const Rect& dirty)
{
    for (int y = 0; y < store.Height(); ++y)
        for (int x = 0; x < store.Width(); ++x)
            if (before[static_cast<std::size_t>(y) * store.Width() + x] != store.Row(y)[x])
                FUZZ_CHECK(dirty.Contains(x, y), "a changed pixel is in the dirty area");
}

Rect AnyClip(FuzzedDataProvider& in)
{
    if (in.ConsumeBool()) {
        return Rect{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(),
                    in.ConsumeIntegral<int>()};
    }
    return Rect{in.ConsumeIntegralInRange(-4, 40), in.ConsumeIntegralInRange(-4, 40), in.ConsumeIntegralInRange(-4, 40),
                in.ConsumeIntegralInRange(-4, 40)};
}

void CheckWindow(FuzzedDataProvider& in)
{
    const std::uint32_t seed = in.ConsumeIntegral<std::uint32_t>();
    const std::vector<EscapeKernel> kernels = AvailableEscapeKernels();
    JuliaRenderer plain(seed), fast(seed);
    plain.UsePlainLoop();
    fast.UseRowKernel(kernels[in.ConsumeIntegralInRange<std::size_t>(0, kernels.size() - 1)]);
    PixelStore plainStore, fastStore;
    DirtySurface fastSurface(fastStore);
    std::vector<COLORREF> before;
    for (int op = 0; op < 400 && in.remaining_bytes() > 0; ++op) {
        const int size = fastStore.Width() * fastStore.Height();
        before.assign(fastStore.Row(0), fastStore.Row(0) + size);
        switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0: {  // a new size, taken up by the next repaint (or not)
            const int width = in.ConsumeIntegralInRange(0, 40), height = in.ConsumeIntegralInRange(0, 40);
            plainStore = PixelStore(width, height);
            fastStore = PixelStore(width, height);
            fastSurface.TakeDirty();
            continue;
        }
        case 1: {  // a repaint of part of the window
            const Rect clip = AnyClip(in);
            plainStore.SetClip(clip);
            fastStore.SetClip(clip);
            plain.RestartPicture(plainStore);
            fast.RestartPicture(fastSurface);
            plainStore.ResetClip();
            fastStore.ResetClip();
            break;
        }
        case 2: {  // any view and c, as a frame end would set them
            const View view{AnyReal(in), AnyReal(in), AnyReal(in), AnyReal(in), AnyReal(in), AnyReal(in)};
            const int limit = in.ConsumeIntegralInRange(-1, JuliaRenderer::kMaxIter);
            for (JuliaRenderer* r : {&plain, &fast}) {
                r->SetView(view);
                r->ResetPicture();
                JuliaRendererPeer(*r).m_maxIter = limit;
            }
            break;
        }
        default: {  // ticks
            const int ticks = in.ConsumeIntegralInRange(1, 30);
            for (int t = 0; t < ticks; ++t) {
                plain.DrawNextRow(plainStore);
                fast.DrawNextRow(fastSurface);
            }
            break;
        }
        }
        FUZZ_CHECK(SameState(plain, fast), "a kernel leaves the state the plain loop leaves");
        FUZZ_CHECK(SamePixels(plainStore, fastStore), "a kernel draws the pixels the plain loop draws");
        if (static_cast<int>(before.size()) == fastStore.Width() * fastStore.Height())
            CheckDirty(before, fastStore, fastSurface.TakeDirty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::EitherPart(data, size, CheckKernels, CheckWindow);
}
