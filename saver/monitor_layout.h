// SPDX-License-Identifier: MIT
// The monitors a full-screen saver covers, one window (or surface) over
// each, and what a change of their layout asks of those windows. Every
// front end lists its platform's monitors and hands them here; rectangles
// are in the screen's space and may have negative coordinates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "render/surface.h"

namespace quorvana {

// The monitors as a platform lists them, made fit to cover: each clipped to
// the screen, the empty ones and repeats (mirrored monitors) left out, the
// primary moved to the front (its window keeps the saver's seed and takes
// the keyboard). Never empty: with nothing left, the whole screen.
std::vector<Rect> CoverableMonitors(const std::vector<Rect>& listed, std::optional<std::size_t> primary,
                                    const Rect& screen);

// The index, in that order, of the monitor that holds the point (x, y); 0,
// the primary, when none does.
std::uint32_t MonitorIndexAt(const std::vector<Rect>& monitors, int x, int y);

// What turns windows over `covered` into one window over each of `monitors`:
// a window whose rectangle is still a monitor's stays, pictures and all;
// every other one closes, and each monitor left over gets a new window.
struct LayoutChange {
    std::vector<std::size_t> close;  // indices into covered, ascending
    std::vector<Rect> open;
};
LayoutChange DiffLayout(const std::vector<Rect>& covered, const std::vector<Rect>& monitors);

// Takes the windows a change closes out of `covers` (one per rectangle of
// the `covered` it was made from, in that order), the others keeping their
// order; `onClose` sees each before it goes. The caller then opens a window
// on each monitor of change.open.
template <typename Cover, typename OnClose>
void DropClosed(std::vector<Cover>& covers, const LayoutChange& change, OnClose onClose)
{
    // Every window is still in the list while those going are told.
    for (const std::size_t index : change.close) onClose(covers[index]);
    std::vector<Cover> kept;
    kept.reserve(covers.size());
    auto closing = change.close.begin();
    for (std::size_t index = 0; index < covers.size(); ++index) {
        if (closing != change.close.end() && *closing == index)
            ++closing;
        else
            kept.push_back(std::move(covers[index]));
    }
    covers = std::move(kept);
}

}  // namespace quorvana
