// SPDX-License-Identifier: MIT
// Colours as the pictures use them: a COLORREF holds red in the low byte,
// green in the next and blue above (r + 256·g + 65536·b). The renderer only
// ever draws pure green levels and black, for which this layout and the
// 0x00RRGGBB layout of screen buffers coincide. A theme's colours
// (theme.h) are made from them only where a picture is shown, and packed
// for the screen's layout there.
#pragma once

#include <cstdint>

namespace quorvana {

using COLORREF = std::uint32_t;

// What a read outside the surface or its clip returns.
inline constexpr COLORREF kNoPixel = 0xFFFFFFFF;
inline constexpr COLORREF kBlack = 0x000000;
inline constexpr COLORREF kWhite = 0xFFFFFF;

// An escape count n is drawn in green kGreenStep · n (mod 256): the plain
// loop, the scalar and the vector colour passes all take the step from here.
inline constexpr unsigned kGreenStep = 11;

constexpr COLORREF MakeRgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16;
}

}  // namespace quorvana
