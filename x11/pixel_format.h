// SPDX-License-Identifier: MIT
// How a colour of the pictures becomes a pixel value of an X visual. The
// pictures are kept as COLORREF (red in the low byte); a TrueColor visual of
// depth 24 or 32 says where its red, green and blue go through its masks.
// On a 32-bit visual the bits outside the three masks are alpha and are set,
// so that a compositing manager shows the pixels opaque.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/failure.h"
#include "render/colour.h"

namespace quorvana {

class PixelFormat {
public:
    // The visuals the saver draws on: TrueColor of depth 24 or 32.
    static bool Drawable(int visualClass, int depth);

    // The format of a visual, or a run-time Failure naming why the saver
    // cannot draw on it (its depth, its class, its masks).
    static Result<PixelFormat> FromVisual(int visualClass, int depth, unsigned long redMask, unsigned long greenMask,
                                          unsigned long blueMask);

    std::uint32_t Pack(COLORREF colour) const
    {
        const std::uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
        return m_red.Place(r) | m_green.Place(g) | m_blue.Place(b) | m_alpha;
    }
    // True when every colour the pictures hold (green levels and black,
    // render/colour.h) packs to its own value: green is the middle byte and
    // there is no alpha, so a store of COLORREFs can be the image itself.
    bool KeepsPictureColours() const { return m_green.shift == 8 && m_green.bits == 8 && m_alpha == 0; }

private:
    struct Channel {
        int shift = 0;
        int bits = 8;
        std::uint32_t Place(std::uint32_t level) const
        {
            const std::uint32_t scaled = bits >= 8 ? level << (bits - 8) : level >> (8 - bits);
            return scaled << shift;
        }
    };
    static std::optional<Channel> ChannelOf(unsigned long mask);

    Channel m_red, m_green, m_blue;
    std::uint32_t m_alpha = 0;
};

}  // namespace quorvana
