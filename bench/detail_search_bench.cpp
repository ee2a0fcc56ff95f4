// SPDX-License-Identifier: MIT
// The frame-end detail search over a finished 1920 × 1080 picture, in row
// order (what FinishPicture runs) and column by column (the reference).
#include <benchmark/benchmark.h>

#include "bench/bench_rows.h"
#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/support/detail_search_reference.h"
#include "tests/support/julia_renderer_peer.h"

namespace quorvana::bench {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A whole picture of the deep view, drawn by the renderer itself.
struct FinishedPicture {
    PixelStore store{kWidth, kHeight};
    JuliaRenderer renderer{1};

    FinishedPicture()
    {
        JuliaRendererPeer setup(renderer);
        setup.m_width = kWidth;
        setup.m_height = kHeight;
        setup.m_aspect = static_cast<double>(kWidth) / kHeight;
        renderer.SetView(View{-2, 2, -1.125, 1.125, kBenchRows[2].cRe, kBenchRows[2].cIm});
        renderer.ResetPicture();
        while (renderer.Row() < kHeight - 1) renderer.DrawNextRow(store);
        setup.m_bestRow = kHeight / 2;
    }
};

const FinishedPicture& Picture()
{
    static const FinishedPicture picture;
    return picture;
}

void RowOrder(benchmark::State& state)
{
    const FinishedPicture& p = Picture();
    for (auto _ : state) benchmark::DoNotOptimize(p.renderer.FindDetailColumn(p.store));
    state.SetLabel("column " + std::to_string(p.renderer.FindDetailColumn(p.store)));
}

void ColumnOrder(benchmark::State& state)
{
    const FinishedPicture& p = Picture();
    for (auto _ : state) benchmark::DoNotOptimize(FindDetailColumnColumnOrder(p.renderer, p.store));
    state.SetLabel("column " + std::to_string(FindDetailColumnColumnOrder(p.renderer, p.store)));
}

BENCHMARK(RowOrder)->Name("FindDetailColumn/1920x1080/row_order")->Unit(benchmark::kMicrosecond);
BENCHMARK(ColumnOrder)->Name("FindDetailColumn/1920x1080/column_order")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvana::bench
