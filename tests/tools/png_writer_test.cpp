// The PNG holds exactly the store's colours as 8-bit RGB, whatever each
// row's filter, and a failed write leaves no file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "render/julia_renderer.h"
#include "tests/tools/png_decode.h"
#include "tools/atomic_file.h"
#include "tools/png_writer.h"

namespace quorvana {
namespace {

struct PictureCase {
    const char* name;
    int width, height;
    std::function<COLORREF(int x, int y)> colour;
};

TEST(PngWriter, WritesTheExactColours)
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
    for (const PictureCase& c : cases) {
        PixelStore store(c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) store.SetPixel(x, y, c.colour(x, y));
        const std::string path = testing::TempDir() + "/exact.png";
        ASSERT_EQ(WritePng(store, path), "") << c.name;
        const PixelStore decoded = test::DecodePng(path);
        EXPECT_EQ(decoded.Width(), c.width) << c.name;
        EXPECT_EQ(test::PixelsOf(decoded), test::PixelsOf(store)) << c.name;
        EXPECT_FALSE(std::filesystem::exists(PartialName(path))) << c.name;
    }
}

TEST(PngWriter, FailureLeavesNothingBehind)
{
    PixelStore store(64, 64);
    store.SetPixel(3, 3, kWhite);
    const std::filesystem::path dir = testing::TempDir() + "/png-writer-failure";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    // The file being written is the full device: the write itself fails.
    const std::string full = (dir / "full.png").string();
    std::filesystem::create_symlink("/dev/full", PartialName(full));
    const std::string missing = (dir / "no-such-folder" / "x.png").string();
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {{full, "No space left on device"}, {missing, "No such file or directory"}};
    for (const auto& c : cases) {
        EXPECT_EQ(WritePng(store, c.path), "cannot write '" + c.path + "': " + c.reason);
        EXPECT_FALSE(std::filesystem::exists(c.path)) << c.path;
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(PartialName(c.path)))) << c.path;
    }
}

}  // namespace
}  // namespace quorvana
