// SPDX-License-Identifier: MIT
// The animated GIF decodes, with ImageMagick, to exactly the frames given:
// a frame of noise that fills the LZW code table many times over, a
// rectangle inside the canvas, a single pixel; and a colour the palette
// cannot hold is refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/tools/png_decode.h"
#include "tools/formats/gif_animation.h"
#include "tools/formats/gif_lzw.h"

namespace quorvana {
namespace {

struct Frame {
    Rect rect;
    int milliseconds;
};

TEST(GifAnimation, DecodesToTheFramesGiven)
{
    constexpr int kWidth = 300, kHeight = 200;
    PixelStore window(kWidth, kHeight);
    std::uint32_t random = 12345;
    const auto noise = [&](int, int) {
        random = random * 214013 + 2531011;
        return MakeRgb(0, random >> 16 & 0xFF, 0);
    };
    const auto gradient = [](int x, int y) { return MakeRgb(0, (x + y) & 0xFF, 0); };
    const auto marker = [](int, int) { return MakeRgb(0, 25, 0); };
    const std::vector<std::pair<Frame, std::function<COLORREF(int, int)>>> frames = {
        {{{0, 0, kWidth, kHeight}, 20}, noise},
        {{{10, 20, 110, 70}, 70}, gradient},
        {{{kWidth - 1, kHeight - 1, kWidth, kHeight}, 655350}, marker},
    };
    GifAnimation gif(kWidth, kHeight, Theme().Colours());
    std::vector<std::vector<COLORREF>> expected;
    for (const auto& [frame, colour] : frames) {
        for (int y = frame.rect.top; y < frame.rect.bottom; ++y)
            for (int x = frame.rect.left; x < frame.rect.right; ++x) window.SetPixel(x, y, colour(x, y));
        ASSERT_TRUE(gif.AddFrame(window, frame.rect, frame.milliseconds).Ok());
        expected.push_back(test::PixelsOf(window));
    }
    ASSERT_TRUE(gif.Finish().Ok());
    const std::string dir = testing::TempDir();
    const std::string path = dir + "/frames.gif";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(gif.Bytes().data()),
                                                 static_cast<std::streamsize>(gif.Bytes().size()));

    const std::string decode = "convert '" + path + "' -coalesce '" + dir + "/frame-%d.png'";
    ASSERT_EQ(std::system(decode.c_str()), 0) << decode;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string frame = dir + "/frame-" + std::to_string(i) + ".png";
        EXPECT_EQ(test::PixelsOf(test::DecodePng(frame, true)), expected[i]) << "frame " << i;
    }
    const std::string delays = dir + "/delays.txt";
    ASSERT_EQ(std::system(("identify -format '%T ' '" + path + "' >'" + delays + "'").c_str()), 0);
    std::ifstream in(delays);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "2 7 65535 ");
}

// Whatever the length of the compressed data, also a whole number of full
// blocks, the sub-blocks end exactly at the empty block that closes them.
TEST(GifLzw, SubBlocksEndAtTheTerminator)
{
    std::vector<unsigned char> indices;
    std::uint32_t random = 1;
    GifLzw lzw;
    int fullBlocksOnly = 0;
    for (int count = 1; count <= 3000; ++count) {
        random = random * 214013 + 2531011;
        indices.push_back(static_cast<unsigned char>(random >> 16));
        std::vector<unsigned char> out;
        lzw.Encode(indices.data(), indices.size(), out);
        ASSERT_EQ(out[0], 8);
        std::size_t at = 1;
        while (at < out.size() && out[at] != 0) at += 1 + out[at];
        ASSERT_EQ(at, out.size() - 1) << count << " indices";
        fullBlocksOnly += (out.size() - 2) % 256 == 0;
    }
    EXPECT_GT(fullBlocksOnly, 0);  // the case that once lost a byte was met
}

TEST(GifAnimation, RefusesColoursOutsideTheGreenLevels)
{
    PixelStore window(4, 4);
    window.SetPixel(2, 2, MakeRgb(1, 40, 0));
    GifAnimation gif(4, 4, Theme().Colours());
    const std::size_t before = gif.Bytes().size();
    EXPECT_FALSE(gif.AddFrame(window, {0, 0, 4, 4}, 20).Ok());
    EXPECT_EQ(gif.Bytes().size(), before);
    EXPECT_TRUE(gif.AddFrame(window, {0, 0, 2, 2}, 20).Ok());
}

}  // namespace
}  // namespace quorvana
