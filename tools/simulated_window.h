// SPDX-License-Identifier: MIT
// The window every mode of the exporter simulates: a renderer seeded from
// the options (or from the time), a pixel store of the window's size, the
// first repaint on the kernel the options ask for, and the lines that say
// which view the next picture shows.
#pragma once

#include <cstdint>
#include <string>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tools/export_options.h"

namespace quorvana {

struct SimulatedWindow {
    explicit SimulatedWindow(const ExportOptions& options);

    std::uint32_t seed;
    JuliaRenderer renderer;
    PixelStore pixels;
};

// "plain", or the name of the vector kernel this processor runs.
const char* KernelName(const ExportOptions& options);

// The repaint that opens the window, through paint (the window's pixels or
// a surface over them), reported on standard output.
void FirstRepaint(SimulatedWindow& window, const ExportOptions& options, Surface& paint);

// "LABEL: zoom into …" or "LABEL: random view …, c = …", with its newline.
std::string DescribeView(const JuliaRenderer& renderer, TickOutcome outcome, const std::string& label);
void PrintView(const JuliaRenderer& renderer, TickOutcome outcome, const std::string& label);

}  // namespace quorvana
