// SPDX-License-Identifier: MIT
// The recording formats of the Linux build: GIF and animated WebP.
#include "tools/formats/animation_writer.h"

#include "tools/formats/gif_animation.h"
#include "tools/formats/webp_animation.h"

namespace quorvana {

const std::vector<std::string>& AnimationExtensions()
{
    static const std::vector<std::string> extensions = {".gif", ".webp"};
    return extensions;
}

std::unique_ptr<AnimationWriter> MakeAnimationWriter(const std::string& file, int width, int height, const Theme& theme)
{
    if (HasExtension(file, ".gif")) return std::make_unique<GifAnimation>(width, height, theme.Colours());
    if (HasExtension(file, ".webp")) return std::make_unique<WebpAnimation>(width, height, theme);
    return nullptr;
}

}  // namespace quorvana
