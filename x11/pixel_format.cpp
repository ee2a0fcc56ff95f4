// SPDX-License-Identifier: MIT
#include "x11/pixel_format.h"

#include <X11/X.h>
#include <bit>

namespace quorvana {

std::optional<PixelFormat::Channel> PixelFormat::ChannelOf(unsigned long mask)
{
    if (mask == 0 || mask > 0xFFFFFFFFul) return std::nullopt;
    const auto m = static_cast<std::uint32_t>(mask);
    const int shift = std::countr_zero(m);
    const int bits = std::popcount(m);
    if ((m >> shift) != (bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1)) return std::nullopt;  // not contiguous
    if (bits > 16) return std::nullopt;
    return Channel{shift, bits};
}

bool PixelFormat::Drawable(int visualClass, int depth)
{
    return visualClass == TrueColor && (depth == 24 || depth == 32);
}

Result<PixelFormat> PixelFormat::FromVisual(int visualClass, int depth, unsigned long redMask,
                                            unsigned long greenMask, unsigned long blueMask)
{
    if (!Drawable(visualClass, depth))
        return Failure::Runtime("the window's visual has depth " + std::to_string(depth) +
                                (visualClass == TrueColor ? "" : " and is not TrueColor") +
                                "; quorvana draws on TrueColor visuals of depth 24 or 32");
    const auto red = ChannelOf(redMask), green = ChannelOf(greenMask), blue = ChannelOf(blueMask);
    if (!red || !green || !blue || (redMask & greenMask) || (redMask & blueMask) || (greenMask & blueMask))
        return Failure::Runtime("the window's visual has colour masks quorvana does not understand");
    PixelFormat format;
    format.m_red = *red;
    format.m_green = *green;
    format.m_blue = *blue;
    const std::uint32_t depthBits = depth == 32 ? 0xFFFFFFFFu : (1u << depth) - 1;
    format.m_alpha = depthBits & ~static_cast<std::uint32_t>(redMask | greenMask | blueMask);
    return format;
}

}  // namespace quorvana
