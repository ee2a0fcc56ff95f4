// SPDX-License-Identifier: MIT
// Gathers the rectangles of one burst of Expose events. X reports an
// exposure as a series of rectangles, each with the number still to come;
// the window repaints once, when that number reaches 0, with the bounding
// box of the series as the clip of the repaint. A size change needs nothing
// from here: the repaint after one redraws the whole window, whatever the
// series covered, and a ConfigureNotify that only moves the window must not
// lose the rectangles gathered so far.
#pragma once

#include <optional>

#include "render/surface.h"

namespace quorvana {

class ExposeCoalescer {
public:
    // One Expose event: its rectangle and its count of Expose events still
    // to follow. Returns the area to repaint when the series is complete.
    std::optional<Rect> Add(const Rect& exposed, int remaining);

private:
    std::optional<Rect> m_pending;
};

}  // namespace quorvana
