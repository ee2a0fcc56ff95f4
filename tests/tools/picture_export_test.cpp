// SPDX-License-Identifier: MIT
// The pictures that leave the exporter's pipeline (renderer, encoder
// threads, ordered writer) are the plain loop's pictures to the pixel, read
// back with libpng, for the fastest kernel and the plain one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "render/julia_renderer.h"
#include "tests/tools/png_decode.h"
#include "tools/earlier_pictures.h"
#include "tools/picture_export.h"

namespace quorvana {
namespace {

TEST(PictureExport, WritesThePlainLoopsPictures)
{
    struct Case {
        int width, height;
        std::uint32_t seed;
        int pictures;
        ExportOptions::Kernel kernel;
    };
    const Case cases[] = {
        {97, 61, 123456, 9, ExportOptions::Kernel::Auto},
        {33, 17, 7, 5, ExportOptions::Kernel::Plain},
        {1, 1, 2, 2, ExportOptions::Kernel::Auto},
    };
    for (const Case& c : cases) {
        ExportOptions options;
        options.width = c.width;
        options.height = c.height;
        options.seed = c.seed;
        options.pictures = c.pictures;
        options.kernel = c.kernel;
        options.outDir = testing::TempDir() + "/export-" + std::to_string(c.seed);
        std::filesystem::remove_all(options.outDir);
        std::filesystem::create_directory(options.outDir);
        ASSERT_TRUE(ExportPictures(options).Ok());

        JuliaRenderer renderer(c.seed);
        renderer.UsePlainLoop();
        PixelStore window(c.width, c.height);
        renderer.RestartPicture(window);
        for (int picture = 1; picture <= c.pictures; ++picture) {
            while (renderer.DrawNextRow(window) == TickOutcome::Row) {
            }
            const std::string path = PicturePath(options, picture);
            EXPECT_EQ(test::PixelsOf(test::DecodePng(path)), test::PixelsOf(window)) << path;
        }
        EXPECT_FALSE(std::filesystem::exists(PicturePath(options, c.pictures + 1)));
    }
}

// A wallpaper is the saver's picture of the same view with every row drawn:
// on even rows it is the saver's picture but for the marker, odd rows are
// drawn too, and both kernels give it to the bit.
TEST(PictureExport, WallpapersAreTheSaversPicturesWhole)
{
    for (const auto& [width, height, seed] : {std::tuple{96, 60, 2024u}, std::tuple{41, 29, 5u}}) {
        ExportOptions options;
        std::tie(options.width, options.height, options.seed, options.pictures) = std::tuple{width, height, seed, 4};
        const auto exportInto = [&](const char* name, bool wallpaper, ExportOptions::Kernel kernel) {
            options.outDir = testing::TempDir() + "/" + name + std::to_string(seed);
            std::tie(options.wallpaper, options.kernel) = std::tuple{wallpaper, kernel};
            std::filesystem::remove_all(options.outDir);
            std::filesystem::create_directory(options.outDir);
            EXPECT_TRUE(ExportPictures(options).Ok());
            return options;
        };
        const ExportOptions saver = exportInto("saver", false, ExportOptions::Kernel::Auto);
        const ExportOptions whole = exportInto("whole", true, ExportOptions::Kernel::Auto);
        const ExportOptions plain = exportInto("plain", true, ExportOptions::Kernel::Plain);
        for (int picture = 1; picture <= options.pictures; ++picture) {
            const PixelStore shown = test::DecodePng(PicturePath(saver, picture));
            const PixelStore wallpaper = test::DecodePng(PicturePath(whole, picture));
            EXPECT_EQ(test::PixelsOf(wallpaper), test::PixelsOf(test::DecodePng(PicturePath(plain, picture))));
            int differing = 0, drawnOnOddRows = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    if (y % 2 == 1) drawnOnOddRows += wallpaper.GetPixel(x, y) != kBlack;
                    else if (shown.GetPixel(x, y) != JuliaRenderer::kMarkerColour)
                        differing += wallpaper.GetPixel(x, y) != shown.GetPixel(x, y);
                }
            EXPECT_EQ(differing, 0) << "picture " << picture;
            EXPECT_GT(drawnOnOddRows, 0) << "picture " << picture;
        }
    }
}

// The pictures of earlier runs an export leaves in its folder (the line that
// names them: exporter_cli_test.sh).
TEST(EarlierPictures, OnlyWhatTheRunDoesNotWrite)
{
    const std::string dir = testing::TempDir() + "/earlier-pictures";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    for (const char* name : {"picture-0001.png", "picture-0002.png", "picture-0003.png", "picture-10000.png",
                             "picture-001.png", "picture-0002.png.partial", "wallpaper-0001.png", "notes.txt"})
        std::ofstream(dir + "/" + name) << "x";
    const std::tuple<const char*, int, std::vector<std::string>> cases[] = {
        {"picture", 3, {"picture-10000.png", "wallpaper-0001.png"}},
        {"picture", 2, {"picture-0003.png", "picture-10000.png", "wallpaper-0001.png"}},
        {"picture", 10000, {"wallpaper-0001.png"}},
        {"wallpaper", 1, {"picture-0001.png", "picture-0002.png", "picture-0003.png", "picture-10000.png"}},
    };
    for (const auto& [prefix, count, left] : cases)
        EXPECT_EQ(EarlierPictures(dir, prefix, count), left) << prefix << " " << count;
    EXPECT_TRUE(EarlierPictures(dir + "/none", "picture", 1).empty());
}

}  // namespace
}  // namespace quorvana
