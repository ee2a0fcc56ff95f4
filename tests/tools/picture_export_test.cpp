// The pictures that leave the exporter's pipeline (renderer, encoder
// threads, ordered writer) are the plain loop's pictures to the pixel, read
// back with libpng, for the fastest kernel and the plain one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "render/julia_renderer.h"
#include "tests/tools/png_decode.h"
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
        ASSERT_EQ(ExportPictures(options), 0);

        JuliaRenderer renderer(c.seed);
        renderer.UsePlainLoop();
        PixelStore window(c.width, c.height);
        renderer.RestartPicture(window);
        for (int picture = 1; picture <= c.pictures; ++picture) {
            while (renderer.DrawNextRow(window) == TickOutcome::Row) {
            }
            const std::string path = PicturePath(options.outDir, picture);
            EXPECT_EQ(test::PixelsOf(test::DecodePng(path)), test::PixelsOf(window)) << path;
        }
        EXPECT_FALSE(std::filesystem::exists(PicturePath(options.outDir, c.pictures + 1)));
    }
}

}  // namespace
}  // namespace quorvana
