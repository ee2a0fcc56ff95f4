// SPDX-License-Identifier: MIT
#include "tools/simulated_window.h"

#include <cstdio>

#include "saver/monitor_seed.h"
#include "tools/formats/not_enough_memory.h"

namespace quorvana {

Result<SimulatedWindow> SimulatedWindow::Create(const ExportOptions& options)
{
    const std::uint32_t seed = SeedOrClock(options.seed);
    SimulatedWindow window{seed, JuliaRenderer(seed), PixelStore()};
    TRY(MakePicture(window.pixels, options.width, options.height));
    return window;
}

const char* KernelName(const ExportOptions& options)
{
    return options.kernel == ExportOptions::Kernel::Plain ? "plain" : DispatchedEscapeKernel().name;
}

void FirstRepaint(SimulatedWindow& window, const ExportOptions& options, Surface& paint)
{
    if (options.kernel == ExportOptions::Kernel::Plain)
        window.renderer.UsePlainLoop();
    else
        window.renderer.UseRowKernel(DispatchedEscapeKernel());
    PrintView(window.renderer, window.renderer.RestartPicture(paint), "first repaint", 1);
}

std::string DescribeView(const JuliaRenderer& renderer, TickOutcome outcome, const std::string& after, int next)
{
    const View v = renderer.CurrentView();
    char view[256];
    if (outcome == TickOutcome::Zoomed)
        std::snprintf(view, sizeof view, "zoom into re %.17g .. %.17g, im %.17g .. %.17g", v.reMin, v.reMax, v.imMin,
                      v.imMax);
    else
        std::snprintf(view, sizeof view, "random view re %.17g .. %.17g, im %.17g .. %.17g, c = %.17g %+.17gi",
                      v.reMin, v.reMax, v.imMin, v.imMax, v.cRe, v.cIm);
    return after + ", then picture " + std::to_string(next) + ": " + view + "\n";
}

void PrintView(const JuliaRenderer& renderer, TickOutcome outcome, const std::string& after, int next)
{
    std::fputs(DescribeView(renderer, outcome, after, next).c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace quorvana
