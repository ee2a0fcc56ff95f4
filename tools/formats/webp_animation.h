// SPDX-License-Identifier: MIT
// An animated lossless WebP of the saver's window, made with libwebp's
// animation encoder: it is given every frame whole, finds the rectangle
// that changed itself and stores the frames without key frames, each
// drawn over the canvas the frames before it left. The file is assembled
// at the end, so its bytes are all ready after Finish. Built where Debian
// has libwebp (Linux).
#pragma once

#include <memory>

#include "tools/formats/animation_writer.h"

namespace quorvana {

class WebpAnimation final : public AnimationWriter {
public:
    // Pixels are shown in the theme's colours.
    WebpAnimation(int width, int height, const Theme& theme);
    ~WebpAnimation() override;

    Result<> AddFrame(const PixelStore& window, const Rect& changed, int milliseconds) override;
    Result<> Finish() override;

private:
    struct Encoder;
    std::unique_ptr<Encoder> m_encoder;
    int m_timestampMs = 0;
    Theme m_theme;
};

}  // namespace quorvana
