// The PNG holds exactly the store's colours as 8-bit RGB, and a failed
// write leaves no file behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <png.h>
#include <vector>

#include "render/pixel_store.h"
#include "tools/png_writer.h"

namespace quorvana {
namespace {

std::vector<COLORREF> ReadPng(const std::string& path, int& width, int& height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<COLORREF> pixels;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_COLOR, PNG_FORMAT_FLAG_COLOR);
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    width = image.width;
    height = image.height;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) pixels.push_back(MakeRgb(rgb[i], rgb[i + 1], rgb[i + 2]));
    return pixels;
}

TEST(PngWriter, WritesTheExactColours)
{
    PixelStore store(3, 2);
    const COLORREF colours[] = {MakeRgb(1, 2, 3), MakeRgb(0, 255, 0), 0x1900, MakeRgb(255, 0, 0), kBlack, kWhite};
    for (int i = 0; i < 6; ++i) store.SetPixel(i % 3, i / 3, colours[i]);
    const std::string path = testing::TempDir() + "/exact.png";
    ASSERT_EQ(WritePng(store, path), "");
    int width = 0, height = 0;
    EXPECT_EQ(ReadPng(path, width, height), std::vector<COLORREF>(colours, colours + 6));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_FALSE(std::filesystem::exists(path + ".partial"));
}

TEST(PngWriter, FailureLeavesNothingBehind)
{
    PixelStore store(2, 2);
    const std::string path = testing::TempDir() + "/no-such-folder/x.png";
    EXPECT_NE(WritePng(store, path), "");
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace quorvana
