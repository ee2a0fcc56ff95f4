// SPDX-License-Identifier: MIT
// Whole pictures: the first five pictures of a 1920 × 1080 window from seed
// 1 (what `quorvana-render --size 1920x1080 --seed 1 --bench` draws), each
// from its first row to its frame end, by the plain loop and by the
// dispatched kernel. Short counts dominate these pictures, so they measure
// the per-pixel work around the escape loop as much as the loop itself.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"

namespace quorvana::bench {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kPictures = 5;

// The renderer as each picture starts, recorded once by drawing the sequence.
const std::vector<JuliaRenderer>& PictureStarts()
{
    static const std::vector<JuliaRenderer> starts = [] {
        std::vector<JuliaRenderer> result;
        PixelStore window(kWidth, kHeight);
        JuliaRenderer renderer(1);
        renderer.RestartPicture(window);
        for (int picture = 0; picture < kPictures; ++picture) {
            result.push_back(renderer);
            while (renderer.DrawNextRow(window) == TickOutcome::Row) {
            }
        }
        return result;
    }();
    return starts;
}

// A kernel with its own passes, or none for the plain loop.
void DrawPictures(benchmark::State& state, int first, int last, const EscapeKernel* kernel)
{
    PixelStore window(kWidth, kHeight);
    std::uint64_t steps = 0;
    for (auto _ : state) {
        for (int picture = first; picture <= last; ++picture) {
            JuliaRenderer renderer = PictureStarts()[picture];
            if (kernel)
                renderer.UseRowKernel(*kernel);
            else
                renderer.UsePlainLoop();
            while (renderer.DrawNextRow(window) == TickOutcome::Row) {
            }
            steps += renderer.IterationsDone() - PictureStarts()[picture].IterationsDone();
        }
        benchmark::ClobberMemory();
    }
    state.counters["steps/pixel"] =
        static_cast<double>(steps) / static_cast<double>(state.iterations()) /
        (static_cast<double>(last - first + 1) * kWidth * (kHeight / 2));
}

const int kRegistered = [] {
    static const EscapeKernel dispatched = DispatchedEscapeKernel();
    static const std::vector<EscapeKernel> kernels = AvailableEscapeKernels();
    const auto add = [&](const std::string& name, int first, int last) {
        benchmark::RegisterBenchmark(("picture/" + name + "/plain").c_str(), DrawPictures, first, last,
                                     static_cast<const EscapeKernel*>(nullptr))
            ->Unit(benchmark::kMillisecond);
        for (const EscapeKernel& kernel : kernels)
            benchmark::RegisterBenchmark(("picture/" + name + "/" + kernel.name).c_str(), DrawPictures, first, last,
                                         &kernel)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("picture/" + name + "/dispatched(" + dispatched.name + ")").c_str(),
                                     DrawPictures, first, last, &dispatched)
            ->Unit(benchmark::kMillisecond);
    };
    for (int picture = 0; picture < kPictures; ++picture) add(std::to_string(picture + 1), picture, picture);
    add("all", 0, kPictures - 1);
    return 0;
}();

}  // namespace
}  // namespace quorvana::bench
