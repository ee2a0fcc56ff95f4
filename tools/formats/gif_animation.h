// SPDX-License-Identifier: MIT
// An animated GIF of the saver's window, built frame by frame in memory for
// the caller to write out as it goes. The index of a pixel is its green
// byte, which tells every colour the renderer draws apart, black and the
// marker's green among them, so frames are lossless; the palette shows
// each index in the theme's colour (the pure green levels by default).
// A frame stores only the rectangle that changed and leaves the rest of the
// canvas as the frames before it made it. The animation repeats forever.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "tools/formats/animation_writer.h"
#include "tools/formats/gif_lzw.h"

namespace quorvana {

class GifAnimation final : public AnimationWriter {
public:
    // The header, the palette and the repeat instruction go into Bytes().
    GifAnimation(int width, int height, const std::array<COLORREF, 256>& palette);

    // GIF delays are whole centiseconds: each frame's is rounded from the
    // time since the start, so rounding does not add up, and is at least
    // 2/100 s, as most viewers show a shorter delay as 1/10 s. A pixel that
    // is not a pure green level is refused, and then nothing is added; so
    // is a first frame when memory runs out for a window's worth of indices.
    Result<> AddFrame(const PixelStore& window, const Rect& changed, int milliseconds) override;
    Result<> Finish() override;

private:
    int DelayCs(int milliseconds);
    void PutWord(int value);

    std::unique_ptr<unsigned char[]> m_indices;  // room for the whole window, made by the first frame
    GifLzw m_lzw;
    long long m_elapsedMs = 0;
    long long m_shownCs = 0;
};

}  // namespace quorvana
