// SPDX-License-Identifier: MIT
// The monitors of the X screen, as the full-screen saver covers them: one
// window over each. RandR 1.5's monitors where the server lists them, else
// Xinerama's heads, else the whole screen as one monitor. The primary
// comes first (RandR's primary, else the first listed): its window keeps
// the saver's seed and takes the keyboard focus.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>
#include <optional>
#include <vector>

#include "render/surface.h"

namespace quorvana {

std::vector<Rect> ScreenMonitors(Display* display);

// The monitors as listed, made fit to cover: each clipped to the screen,
// the empty ones and repeats (mirrored monitors) left out, the primary
// moved to the front. Never empty: with nothing left, the whole screen.
std::vector<Rect> CoverableMonitors(const std::vector<Rect>& listed, std::optional<std::size_t> primary,
                                    const Rect& screen);

// The index, in that order, of the monitor that holds the screen's point
// (x, y); 0, the primary, when none does.
std::uint32_t MonitorIndexAt(const std::vector<Rect>& monitors, int x, int y);

}  // namespace quorvana
