// SPDX-License-Identifier: MIT
// The monitors saver mode covers, and what a change of their layout asks of
// the windows over them. Rectangles are in virtual-screen coordinates:
// physical pixels, since the program declares per-monitor DPI awareness in
// its manifest; a monitor left of or above the primary has negative ones.
#pragma once

#include <cstddef>
#include <vector>

#include <windows.h>

// Every monitor but the primary, in the order the system lists them. A
// monitor whose rectangle the primary's window or an earlier one already
// covers (a mirrored one) is left out.
std::vector<RECT> OtherMonitorRects();

// What turns windows over `covered` into one window over each of `monitors`:
// a window whose rectangle is still a monitor's stays, pictures and all;
// every other one closes, and each monitor left over gets a new window.
struct LayoutChange {
    std::vector<std::size_t> close;  // indices into covered
    std::vector<RECT> open;
};
LayoutChange DiffLayout(const std::vector<RECT>& covered, const std::vector<RECT>& monitors);
