// SPDX-License-Identifier: MIT
// Test helper: reads a PNG with libpng, an encoder independent of ours,
// into a pixel store; fails the test on anything but 8-bit RGB unless any
// colour format is allowed (files that other tools wrote).
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <png.h>
#include <string>
#include <vector>

#include "render/pixel_store.h"
#include "tests/render/test_picture.h"  // PixelsOf, to compare what is read

namespace quorvana::test {

// From memory; path only names it in failures.
inline PixelStore DecodePng(const std::vector<unsigned char>& png, const std::string& path = "PNG in memory",
                            bool anyFormat = false)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        ADD_FAILURE() << path << ": " << image.message;
        return {};
    }
    if (!anyFormat) {
        EXPECT_EQ(image.format, static_cast<png_uint_32>(PNG_FORMAT_RGB)) << path;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << path << ": " << image.message;
    PixelStore store(static_cast<int>(image.width), static_cast<int>(image.height));
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const int pixel = static_cast<int>(i / 3);
        store.SetPixel(pixel % store.Width(), pixel / store.Width(), MakeRgb(rgb[i], rgb[i + 1], rgb[i + 2]));
    }
    return store;
}

inline PixelStore DecodePng(const std::string& path, bool anyFormat = false)
{
    std::ifstream file(path, std::ios::binary);
    return DecodePng({std::istreambuf_iterator<char>(file), {}}, path, anyFormat);
}

}  // namespace quorvana::test
