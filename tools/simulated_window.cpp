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

std::string DescribeView(const JuliaRenderer& r, TickOutcome outcome, const std::string& label)
{
    char line[512];
    if (outcome == TickOutcome::Zoomed)
        std::snprintf(line, sizeof line, "%s: zoom into re %.17g .. %.17g, im %.17g .. %.17g\n", label.c_str(),
                      r.m_reMin, r.m_reMax, r.m_imMin, r.m_imMax);
    else
        std::snprintf(line, sizeof line, "%s: random view re %.17g .. %.17g, im %.17g .. %.17g, c = %.17g %+.17gi\n",
                      label.c_str(), r.m_reMin, r.m_reMax, r.m_imMin, r.m_imMax, r.m_cRe, r.m_cIm);
    return line;
}

void PrintView(const JuliaRenderer& renderer, TickOutcome outcome, const std::string& label)
{
    std::fputs(DescribeView(renderer, outcome, label).c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace quorvana
