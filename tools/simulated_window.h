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
#include "common/failure.h"
#include "tools/export_options.h"

namespace quorvana {

struct SimulatedWindow {
    // A failure when memory runs out for the window's picture.
    static Result<SimulatedWindow> Create(const ExportOptions& options);

    std::uint32_t seed;
    JuliaRenderer renderer;
    PixelStore pixels;
};

// "plain", or the name of the vector kernel this processor runs.
const char* KernelName(const ExportOptions& options);

// The repaint that opens the window, through paint (the window's pixels or
// a surface over them), reported on standard output.
void FirstRepaint(SimulatedWindow& window, const ExportOptions& options, Surface& paint);

// The view a frame end chose, with its newline, under what ended (after:
// "first repaint", a picture's file or "picture N") and the number of the
// picture that shows it, so that no line reads as the view of the picture
// it follows: "AFTER, then picture NEXT: zoom into …" or "…: random view
// …, c = …".
std::string DescribeView(const JuliaRenderer& renderer, TickOutcome outcome, const std::string& after, int next);
void PrintView(const JuliaRenderer& renderer, TickOutcome outcome, const std::string& after, int next);

}  // namespace quorvana
