// SPDX-License-Identifier: MIT
// The recording formats of a build without libwebp (Windows): GIF.
#include "tools/formats/animation_writer.h"

#include "tools/formats/gif_animation.h"

namespace quorvana {

const std::vector<std::string>& AnimationExtensions()
{
    static const std::vector<std::string> extensions = {".gif"};
    return extensions;
}

std::unique_ptr<AnimationWriter> MakeAnimationWriter(const std::string& file, int width, int height, const Theme& theme)
{
    if (HasExtension(file, ".gif")) return std::make_unique<GifAnimation>(width, height, theme.Colours());
    return nullptr;
}

}  // namespace quorvana
