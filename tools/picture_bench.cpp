// SPDX-License-Identifier: MIT
#include "tools/picture_bench.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "tools/formats/picture_hash.h"
#include "tools/simulated_window.h"

namespace quorvana {

// Only the ticks are timed: the repaint, the hashes and the output are not.
Result<> BenchPictures(const ExportOptions& options)
{
    SimulatedWindow window = TRY(SimulatedWindow::Create(options));
    std::printf("seed %u, size %dx%d, kernel %s\n", window.seed, options.width, options.height,
                KernelName(options));
    FirstRepaint(window, options, window.pixels);

    using Clock = std::chrono::steady_clock;
    Clock::duration total{};
    JuliaRenderer& renderer = window.renderer;
    const std::uint64_t iterationsBefore = renderer.IterationsDone();
    for (int picture = 1; picture <= options.pictures; ++picture) {
        const std::uint64_t iterationsAtStart = renderer.IterationsDone();
        const Clock::time_point start = Clock::now();
        TickOutcome outcome;
        do outcome = renderer.DrawNextRow(window.pixels);
        while (outcome == TickOutcome::Row);
        const Clock::duration took = Clock::now() - start;
        total += took;
        const double seconds = std::chrono::duration<double>(took).count();
        const std::uint64_t iterations = renderer.IterationsDone() - iterationsAtStart;
        std::printf("picture %d: %.3f ms, %" PRIu64 " loop steps, %.1f million steps/s, %s %016" PRIx64 "\n",
                    picture, seconds * 1e3, iterations, iterations / seconds / 1e6, kPictureHashName,
                    PictureHash(window.pixels));
        PrintView(renderer, outcome, "picture " + std::to_string(picture), picture + 1);
    }
    const double seconds = std::chrono::duration<double>(total).count();
    const std::uint64_t iterations = renderer.IterationsDone() - iterationsBefore;
    std::printf("kernel %s: %d pictures in %.3f s, %.3f ms per picture, %.1f million loop steps/s\n",
                KernelName(options), options.pictures, seconds, seconds * 1e3 / options.pictures,
                iterations / seconds / 1e6);
    return {};
}

}  // namespace quorvana
