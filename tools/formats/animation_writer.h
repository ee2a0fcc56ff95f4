// SPDX-License-Identifier: MIT
// The file formats of the exporter's recordings. A writer takes the window
// after each frame's ticks, with the rectangle they changed and how long
// the frame is shown, and hands back the file's bytes as they become
// ready; the caller writes them (tools/animation_recording.cpp). Which
// formats a build has is chosen by the build: every build writes GIF; the
// Linux build also writes animated lossless WebP.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/failure.h"
#include "render/pixel_store.h"
#include "render/theme.h"

namespace quorvana {

class AnimationWriter {
public:
    virtual ~AnimationWriter() = default;

    // changed lies inside the window and is not empty, and holds every
    // pixel that differs from the frame before; the first frame's is the
    // whole window.
    virtual Result<> AddFrame(const PixelStore& window, const Rect& changed, int milliseconds) = 0;
    // The end of the file; its last bytes then wait in Bytes().
    virtual Result<> Finish() = 0;

    // What is ready and not yet taken: write it out, then clear it.
    std::vector<unsigned char>& Bytes() { return m_bytes; }

protected:
    std::vector<unsigned char> m_bytes;
};

// Whether the file name ends in the extension (lower case, with its dot),
// in any case: "Zoom.GIF" has ".gif".
bool HasExtension(const std::string& file, const std::string& extension);

// The extensions this build records, lower case with their dot: ".gif" …
const std::vector<std::string>& AnimationExtensions();

// The writer for the file's extension (any case), or null if this build
// has none for it. The window it is given holds green levels, as the
// renderer draws them; the file shows them in the theme's colours.
std::unique_ptr<AnimationWriter> MakeAnimationWriter(const std::string& file, int width, int height,
                                                     const Theme& theme = Theme());

}  // namespace quorvana
