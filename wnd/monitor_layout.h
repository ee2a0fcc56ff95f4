// SPDX-License-Identifier: MIT
// The monitors saver mode covers, as this system lists them, in the saver's
// own terms (saver/monitor_layout.h: which to cover, what a change of layout
// asks). Rectangles are in virtual-screen coordinates: physical pixels,
// since the program declares per-monitor DPI awareness in its manifest; a
// monitor left of or above the primary has negative ones.
#pragma once

#include <vector>

#include <windows.h>

#include "render/surface.h"

// The monitors to cover, the primary's first (its window lies at (0, 0) with
// the primary screen's size); a mirrored monitor, whose rectangle an earlier
// one has already, is left out.
std::vector<quorvana::Rect> MonitorsToCover();

inline quorvana::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const quorvana::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
