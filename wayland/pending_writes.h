// SPDX-License-Identifier: MIT
// Writes that wait for their band's buffer: while the compositor holds a
// band's buffer and the one spare is busy elsewhere, what the renderer draws
// there (a frame end's marker crossing many bands at once, say) is kept
// here as runs of pixels in the order drawn, and applied once a buffer is
// free. Reads of those pixels meanwhile see the latest write.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "render/colour.h"

namespace quorvana {

class PendingWrites {
public:
    bool Empty() const { return m_runs.empty(); }
    // count pixels at (x, y) onwards, in the band's own rows.
    void Add(int x, int y, const COLORREF* colours, int count);
    // The latest colour written at (x, y), if any write covers it.
    std::optional<COLORREF> PixelAt(int x, int y) const;
    // The rows top … bottom − 1 the writes lie in.
    int Top() const { return m_top; }
    int Bottom() const { return m_bottom; }
    // Writes every run into pixels (stride in pixels), oldest first, and
    // forgets them.
    void ApplyTo(COLORREF* pixels, int stride);

private:
    struct Run {
        int x;
        int y;
        std::size_t first;  // in m_colours
        int count;
    };
    std::vector<Run> m_runs;
    std::vector<COLORREF> m_colours;
    int m_top = 0;
    int m_bottom = 0;
};

}  // namespace quorvana
