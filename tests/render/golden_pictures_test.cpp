// Whole picture sequences pinned to the bit: a simulated window from its
// first repaint, hashed after every finished picture. The values were
// cross-checked against a separate, straightforward implementation of the
// picture rules; any drift in the escape loop, the accumulation, the search
// or the marker changes them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/render/test_picture.h"

namespace quorvana {
namespace {

struct GoldenCase {
    int width, height;
    std::uint32_t seed;
    std::vector<std::uint64_t> hashes;  // one per picture
};

std::vector<std::uint64_t> PictureHashes(int width, int height, std::uint32_t seed, std::size_t pictures)
{
    JuliaRenderer renderer(seed);
    PixelStore window(width, height);
    renderer.RestartPicture(window);
    std::vector<std::uint64_t> hashes;
    while (hashes.size() < pictures) {
        test::FinishOnePicture(renderer, window);
        hashes.push_back(PictureChecksum(window));
    }
    return hashes;
}

TEST(GoldenPictures, SequencesMatchToTheBit)
{
    const std::vector<GoldenCase> cases = {
        {64, 48, 1, {0xeea8a3befaf2414cull, 0x0db7076cf88da7ddull, 0x60e780b5ba2d1615ull, 0x41e9e359747e1e2cull, 0xad0f4a1ebf2641cbull, 0x0d4eb27c2a55b203ull}},
        {33, 17, 7, {0x8d299c7f56807c56ull, 0xf4c0247e847e6619ull, 0xcecf36537b5a2661ull, 0x7e05cf4cb521fcd7ull, 0x689bce9ed76aa43eull, 0x6957dc917a9cbca7ull}},
        {1, 1, 2, {0xeddd2d7f67d6229cull, 0xeddd2d7f67d6229cull, 0xeddd2d7f67d6229cull}},
        {130, 9, 3, {0xff4462ff32759505ull, 0xbd5ec3d0ac8d651cull, 0x51ca04d7bb9ad5afull, 0x4b1bc81789d87067ull, 0x326b0bed442fd505ull}},
        {97, 61, 123456, {0x6abd1b4124d38da7ull, 0x59c24ef07c41cebaull, 0x9b37bfcd03cdcfd6ull, 0x95f5de308f8da57aull, 0xab62ee2a4a01a997ull, 0xf0a92d630e3cb4e3ull, 0xdfed3f6440e4bb81ull, 0xf48763c47d47efbaull}},
        {160, 120, 2024, {0xc60214ce9b80abcaull, 0xae8f7c8e4ae419a5ull, 0x7c0296c12e6d6aebull, 0x930c9313483d26aeull, 0x28931c69c3c73502ull, 0x391bbd3a7e2c9c4dull, 0xc45896387d9c57efull, 0x65ffd8f8196e9818ull, 0x5bcf636604ff232full, 0x8a715fab9797b0d6ull}},
    };
    for (const GoldenCase& c : cases)
        EXPECT_EQ(PictureHashes(c.width, c.height, c.seed, c.hashes.size()), c.hashes)
            << c.width << "x" << c.height << " seed " << c.seed;
}

}  // namespace
}  // namespace quorvana
