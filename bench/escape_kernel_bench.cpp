// SPDX-License-Identifier: MIT
// The escape count of one 1920-pixel row: the plain loop (EscapeCount per
// point), each row kernel and the dispatched one, for four views; and the
// whole row step (DrawNextRow into a pixel store) plain and dispatched.
// Reported as time per step of the escape loop (ns/iter).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_rows.h"
#include "render/escape_kernel.h"
#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/support/julia_renderer_peer.h"

namespace quorvana::bench {
namespace {

std::int64_t RowIterations(const BenchRow& row)
{
    const std::vector<double> xs = BenchRowRe(row);
    std::vector<std::int32_t> counts(xs.size());
    EscapeRowScalar(EscapeRowJob{xs.data(), kBenchRowWidth, row.y, row.cRe, row.cIm, JuliaRenderer::kMaxIter},
                    counts.data());
    std::int64_t total = 0;
    for (std::int32_t n : counts) total += n;
    return total;
}

void SetIterationCounters(benchmark::State& state, std::int64_t iterationsPerRow)
{
    // Seconds per loop step, shown by the library in SI units (p = 1e-12 s).
    state.counters["per_iter"] = benchmark::Counter(static_cast<double>(iterationsPerRow),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
    state.counters["iters/row"] = static_cast<double>(iterationsPerRow);
}

void PlainLoop(benchmark::State& state, const BenchRow& row)
{
    const std::vector<double> xs = BenchRowRe(row);
    std::vector<std::int32_t> counts(xs.size());
    JuliaRenderer renderer(1);
    JuliaRendererPeer setup(renderer);
    setup.m_cRe = row.cRe;
    setup.m_cIm = row.cIm;
    setup.m_maxIter = JuliaRenderer::kMaxIter;
    for (auto _ : state) {
        for (int i = 0; i < kBenchRowWidth; ++i) counts[i] = renderer.EscapeCount(xs[i], row.y);
        benchmark::DoNotOptimize(counts.data());
        benchmark::ClobberMemory();
    }
    SetIterationCounters(state, RowIterations(row));
}

void Kernel(benchmark::State& state, const BenchRow& row, EscapeRowFunction kernel)
{
    const std::vector<double> xs = BenchRowRe(row);
    std::vector<std::int32_t> counts(xs.size());
    const EscapeRowJob job{xs.data(), kBenchRowWidth, row.y, row.cRe, row.cIm, JuliaRenderer::kMaxIter};
    for (auto _ : state) {
        kernel(job, counts.data());
        benchmark::DoNotOptimize(counts.data());
        benchmark::ClobberMemory();
    }
    SetIterationCounters(state, RowIterations(row));
}

// The whole tick of a drawn row: coordinates, counts, colours, changes and
// the pixels set in the store; no kernel: the plain loop.
void RowStep(benchmark::State& state, const BenchRow& row, std::optional<EscapeKernel> kernel)
{
    JuliaRenderer renderer(1);
    if (kernel)
        renderer.UseRowKernel(*kernel);
    else
        renderer.UsePlainLoop();
    PixelStore store(kBenchRowWidth, 4);
    JuliaRendererPeer setup(renderer);
    setup.m_width = kBenchRowWidth;
    setup.m_height = 4;
    renderer.SetView(View{row.reMin, row.reMax, row.y, row.y, row.cRe, row.cIm});
    renderer.ResetPicture();
    for (auto _ : state) {
        setup.m_row = 0;
        setup.m_curIm = row.y;
        renderer.DrawNextRow(store);
        benchmark::ClobberMemory();
    }
    SetIterationCounters(state, RowIterations(row));
}

const int kRegistered = [] {
    const EscapeKernel dispatched = DispatchedEscapeKernel();
    for (const BenchRow& row : kBenchRows) {
        const std::string view = row.name;
        benchmark::RegisterBenchmark(("row/" + view + "/plain").c_str(), PlainLoop, row);
        for (const EscapeKernel& kernel : AvailableEscapeKernels())
            benchmark::RegisterBenchmark(("row/" + view + "/" + kernel.name).c_str(), Kernel, row, kernel.run);
        benchmark::RegisterBenchmark(("row/" + view + "/dispatched(" + dispatched.name + ")").c_str(), Kernel, row,
                                     dispatched.run);
    }
    for (const BenchRow& row : kBenchRows) {
        const std::string view = row.name;
        benchmark::RegisterBenchmark(("DrawNextRow/" + view + "/plain").c_str(), RowStep, row,
                                     std::optional<EscapeKernel>());
        benchmark::RegisterBenchmark(("DrawNextRow/" + view + "/dispatched").c_str(), RowStep, row,
                                     std::optional<EscapeKernel>(dispatched));
    }
    return 0;
}();

}  // namespace
}  // namespace quorvana::bench
