// SPDX-License-Identifier: MIT
// What a user chose about how pictures are shown, applied where a store's
// pixels are presented and never in the store: the theme (theme.h) and
// full rows, which show each drawn row on the odd row below it as well. The
// renderer keeps drawing the specified picture into its store, the frame
// end reads that back, so a picture's views, marker and changes counted are
// the same whatever the look.
//
// Front ends that present a store call ShownArea for what a change of the
// store changes on screen and ShowRows to fill their image with it, through
// a table of the theme's colours packed in their own pixel format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "render/pixel_store.h"
#include "render/row_parity.h"
#include "render/theme.h"

namespace quorvana {

// A theme's 256 colours as pixels of a front end's format.
using PackedColours = std::array<std::uint32_t, 256>;

struct PictureLook {
    Theme theme;
    bool fullRows = false;

    // True for the specified look: the store can be presented as it is.
    bool ShowsStoreAsItIs() const { return theme.ShowsStoreAsItIs() && !fullRows; }
    // The store's row that row y shows.
    int SourceRow(int y) const { return fullRows && IsOdd(y) ? y - 1 : y; }
    // The rows on screen that a change of the store's `changed` rows alters
    // (with full rows, the odd row below the last), inside `height` rows.
    Rect ShownArea(const Rect& changed, int height) const;
    // The theme's colours packed by pack(COLORREF) → std::uint32_t.
    template <class Pack>
    PackedColours Packed(Pack pack) const
    {
        PackedColours packed{};
        for (std::size_t green = 0; green < packed.size(); ++green) packed[green] = pack(theme.Colours()[green]);
        return packed;
    }
    // Fills pixels left … right − 1 of row y of an image (`target` is the
    // row's pixel 0) with what they show: the store's through `colours`.
    void ShowRow(const PixelStore& store, int y, int left, int right, const PackedColours& colours,
                 std::uint32_t* target) const
    {
        const COLORREF* source = store.Row(SourceRow(y));
        for (int x = left; x < right; ++x) target[x] = colours[(source[x] >> 8) & 0xFF];
    }
};

// The whole store as it is shown, in COLORREF, into `shown` of the same size.
void ShowPicture(const PixelStore& store, const PictureLook& look, PixelStore& shown);

}  // namespace quorvana
