// SPDX-License-Identifier: MIT
#include "render/picture_look.h"

#include <algorithm>

namespace quorvana {

Rect PictureLook::ShownArea(const Rect& changed, int height) const
{
    Rect shown = changed;
    if (fullRows && !changed.IsEmpty() && IsOdd(changed.bottom)) shown.bottom = std::min(changed.bottom + 1, height);
    return shown;
}

void ShowPicture(const PixelStore& store, const PictureLook& look, PixelStore& shown)
{
    const PackedColours colours = look.Packed([](COLORREF colour) { return colour; });
    for (int y = 0; y < store.Height(); ++y)
        look.ShowRow(store, y, 0, store.Width(), colours, shown.WritableRow(0, y, store.Width()));
}

}  // namespace quorvana
