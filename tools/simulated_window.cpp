// SPDX-License-Identifier: MIT
#include "tools/simulated_window.h"

#include <cstdio>

namespace quorvana {

SimulatedWindow::SimulatedWindow(const ExportOptions& options)
    : seed(SeedOrNow(options.seed)), renderer(seed), pixels(options.width, options.height)
{
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
    PrintView(window.renderer, window.renderer.RestartPicture(paint), "first repaint");
}

std::string DescribeView(const JuliaRenderer& renderer, TickOutcome outcome, const std::string& label)
{
    const View v = renderer.CurrentView();
    char line[512];
    if (outcome == TickOutcome::Zoomed)
        std::snprintf(line, sizeof line, "%s: zoom into re %.17g .. %.17g, im %.17g .. %.17g\n", label.c_str(),
                      v.reMin, v.reMax, v.imMin, v.imMax);
    else
        std::snprintf(line, sizeof line, "%s: random view re %.17g .. %.17g, im %.17g .. %.17g, c = %.17g %+.17gi\n",
                      label.c_str(), v.reMin, v.reMax, v.imMin, v.imMax, v.cRe, v.cIm);
    return line;
}

void PrintView(const JuliaRenderer& renderer, TickOutcome outcome, const std::string& label)
{
    std::fputs(DescribeView(renderer, outcome, label).c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace quorvana
