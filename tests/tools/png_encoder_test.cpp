// SPDX-License-Identifier: MIT
// The PNG holds exactly the store's colours as 8-bit RGB, whatever each
// row's filter, also from an encoder used before (each thread keeps one).
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "render/julia_renderer.h"
#include "tests/tools/png_decode.h"
#include "tools/formats/png_encoder.h"

namespace quorvana {
namespace {

struct PictureCase {
    const char* name;
    int width, height;
    std::function<COLORREF(int x, int y)> colour;
};

TEST(PngEncoder, EncodesTheExactColours)
{
    const std::vector<PictureCase> cases = {
        {"every channel apart", 3, 2,
         [](int x, int y) {
             const COLORREF c[] = {MakeRgb(1, 2, 3), MakeRgb(0, 255, 0), 0x1900, MakeRgb(255, 0, 0), kBlack, kWhite};
             return c[y * 3 + x];
         }},
        {"one pixel", 1, 1, [](int, int) { return JuliaRenderer::kMarkerColour; }},
        {"black and drawn rows, odd width", 37, 9,
         [](int x, int y) { return y % 2 ? kBlack : JuliaRenderer::DrawnColour(x * 7 + y); }},
        {"repeated rows", 5, 6, [](int x, int) { return JuliaRenderer::DrawnColour(x); }},
        {"all black", 4, 3, [](int, int) { return kBlack; }},
        {"wrapping differences", 300, 2, [](int x, int y) { return MakeRgb(255 * (x % 2), (x * 37) & 0xFF, y); }},
    };
    PngEncoder encoder;
    for (const PictureCase& c : cases) {
        PixelStore store(c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) store.SetPixel(x, y, c.colour(x, y));
        const Result<std::vector<unsigned char>> png = encoder.Encode(store);
        ASSERT_TRUE(png.Ok()) << c.name;
        const PixelStore decoded = test::DecodePng(png.Value());
        EXPECT_EQ(decoded.Width(), c.width) << c.name;
        EXPECT_EQ(test::PixelsOf(decoded), test::PixelsOf(store)) << c.name;
    }
}

}  // namespace
}  // namespace quorvana
