// SPDX-License-Identifier: MIT
// The PNG holds exactly the store's colours as 8-bit RGB, whatever each
// row's filter, and a failed write leaves no file behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <string>
#include <vector>

#include "render/julia_renderer.h"
#include "tests/tools/png_decode.h"
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
    const std::filesystem::path dir = testing::TempDir() + "/png-writer-exact";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    for (const PictureCase& c : cases) {
        PixelStore store(c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) store.SetPixel(x, y, c.colour(x, y));
        const std::string path = (dir / "exact.png").string();
        ASSERT_EQ(WritePng(store, path), "") << c.name;
        const PixelStore decoded = test::DecodePng(path);
        EXPECT_EQ(decoded.Width(), c.width) << c.name;
        EXPECT_EQ(test::PixelsOf(decoded), test::PixelsOf(store)) << c.name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << c.name << ": a file beside it";
    }
}

TEST(PngWriter, FailureLeavesNothingBehind)
{
    PixelStore store(64, 64);
    store.SetPixel(3, 3, kWhite);
    const std::filesystem::path dir = testing::TempDir() + "/png-writer-failure";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    // The file size limit cuts the write itself short, as a full disk does.
    const rlimit tiny{16, RLIM_INFINITY};
    const std::string missing = (dir / "no-such-folder" / "x.png").string();
    const struct {
        std::string path;
        const rlimit* limit;
        const char* reason;
    } cases[] = {{(dir / "cut.png").string(), &tiny, "File too large"},
                 {missing, nullptr, "No such file or directory"}};
    for (const auto& c : cases) {
        rlimit before{};
        ::getrlimit(RLIMIT_FSIZE, &before);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (c.limit) ::setrlimit(RLIMIT_FSIZE, c.limit);
        const std::string error = WritePng(store, c.path);
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(error, "cannot write '" + c.path + "': " + c.reason);
        EXPECT_TRUE(std::filesystem::is_empty(dir)) << c.path << ": nothing is left";
    }
}

}  // namespace
}  // namespace quorvana
