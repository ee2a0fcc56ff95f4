// SPDX-License-Identifier: MIT
// What a window shows of its store, tick by tick: the store in its look
// (picture_look.h) and, when asked for, the zoom a user can watch. When a
// picture ends with a zoom, the region of it that the next view shows grows
// to fill the window over about a second (kZoomMs), scaled by nearest
// pixels from a copy of the finished picture, and the next picture's rows
// come down over it as they are drawn: the zoom never holds them back. A
// random view, a repaint or the next picture's end stops it.
//
// The store is never touched: the renderer draws and reads back the same
// pixels with or without the zoom. Sizes are whole numbers and the region
// is taken in 16.16 fixed point from the two views once, so a recording's
// frames are the same on every platform.
//
// The front ends' presenters and the exporter's recording own one each:
// they call AfterTick after every tick, Stop on a repaint, and show
// ShownArea of what the tick changed through ShowRow.
#pragma once

#include <cstdint>

#include "render/julia_renderer.h"
#include "render/picture_look.h"
#include "render/pixel_store.h"

namespace quorvana {

// A frame end that zoomed: the finished picture's view and the next one's.
struct ZoomStep {
    View from;
    View to;
};

inline constexpr int kZoomMs = 1000;
// The ticks a zoom takes at this tick period: about kZoomMs, at least one.
constexpr int ZoomTicks(int tickPeriodMs) { return tickPeriodMs <= 0 ? 1 : (kZoomMs + tickPeriodMs - 1) / tickPeriodMs; }

// What a user chose about showing pictures.
struct ShowChoices {
    PictureLook look;
    int zoomTicks = 0;  // the ticks the zoom takes (ZoomTicks); 0: no zoom
};

class ShownPicture {
public:
    explicit ShownPicture(const ShowChoices& choices = {}) : m_look(choices.look), m_zoomTicks(choices.zoomTicks) {}

    const PictureLook& Look() const { return m_look; }
    // True when what is shown is always the store as it is.
    bool ShowsStoreAsItIs() const { return m_look.ShowsStoreAsItIs() && m_zoomTicks == 0; }

    // After each tick on `store`: what it did, the views before and after
    // it (read only when it zoomed), the renderer's Row() after it. When
    // memory runs out for the copy of the finished picture, that picture's
    // end shows no zoom: the saver goes on as without it.
    void AfterTick(const PixelStore& store, TickOutcome outcome, const ZoomStep& views, int row);
    // A repaint: the store is shown as it is again.
    void Stop() { m_tick = -1; }
    // Whether the last tick changed the whole window: the zoom moved.
    bool ChangesAll() const { return m_tick >= 0 && m_tick <= m_zoomTicks; }

    // What a change of the store's `changed` changes on screen: while the
    // zoom moves, the whole window.
    Rect ShownArea(const Rect& changed, int width, int height) const;
    // Row y's pixels left … right − 1 as shown (`target` is the row's pixel
    // 0), through `colours` (PictureLook::Packed).
    void ShowRow(const PixelStore& store, int y, int left, int right, const PackedColours& colours,
                 std::uint32_t* target) const;

private:
    // The zoom's frame row y, as green levels of the finished picture.
    void ZoomRow(int y, int left, int right, const PackedColours& colours, std::uint32_t* target) const;

    PictureLook m_look;
    int m_zoomTicks;
    PixelStore m_finished;       // the finished picture, marker included
    std::int64_t m_region[4]{};  // left, top, right, bottom of the next view in it, 16.16 pixels
    int m_tick = -1;             // ticks since the picture ended, up to m_zoomTicks + 1; -1: no zoom shown
    int m_row = 0;               // rows of the next picture drawn
};

}  // namespace quorvana
