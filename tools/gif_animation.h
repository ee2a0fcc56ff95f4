// An animated GIF of the saver's window, built frame by frame in memory for
// the caller to write out as it goes. The palette is the 256 pure green
// levels (index = the green byte), which hold every colour the renderer
// draws, black and the marker's green among them, so frames are lossless.
// A frame stores only a rectangle of the window and leaves the rest of the
// canvas as the frames before it made it. The animation repeats forever.
#pragma once

#include <string>
#include <vector>

#include "render/pixel_store.h"
#include "tools/gif_lzw.h"

namespace quorvana {

class GifAnimation {
public:
    // The header, the palette and the repeat instruction go into Bytes().
    GifAnimation(int width, int height);

    // Appends the rectangle of window (inside it, not empty) as a frame shown
    // for the given centiseconds (0 … 65535). Returns an error line if a
    // pixel is not a pure green level, and then adds nothing.
    std::string AddFrame(const PixelStore& window, const Rect& rect, int centiseconds);
    // Appends the end of the file.
    void Finish();

    // What was built and not yet taken: write it out, then clear it.
    std::vector<unsigned char>& Bytes() { return m_bytes; }

    static constexpr int kMaxSide = 65535;

private:
    void PutWord(int value);

    std::vector<unsigned char> m_bytes;
    std::vector<unsigned char> m_indices;
    GifLzw m_lzw;
};

}  // namespace quorvana
