// SPDX-License-Identifier: MIT
// Whole picture sequences pinned to the bit: a simulated window from its
// first repaint, hashed (XXH3, as --bench prints) after every finished
// picture. The values come from the plain loop, whose pictures had been
// cross-checked against a separate, straightforward implementation of the
// picture rules; both the plain loop and the fastest kernel must give
// them. Any drift in the escape loop, the accumulation, the search or the
// marker changes them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/render/test_picture.h"
#include "tools/formats/picture_hash.h"

namespace quorvana {
namespace {

struct GoldenCase {
    int width, height;
    std::uint32_t seed;
    std::vector<std::uint64_t> hashes;  // one per picture
};

std::vector<std::uint64_t> PictureHashes(int width, int height, std::uint32_t seed, std::size_t pictures, bool plain)
{
    JuliaRenderer renderer(seed);
    if (plain) renderer.UsePlainLoop();
    PixelStore window(width, height);
    renderer.RestartPicture(window);
    std::vector<std::uint64_t> hashes;
    while (hashes.size() < pictures) {
        test::FinishOnePicture(renderer, window);
        hashes.push_back(PictureHash(window));
    }
    return hashes;
}

TEST(GoldenPictures, SequencesMatchToTheBit)
{
    const std::vector<GoldenCase> cases = {
        {64, 48, 1, {0x1d632b805ad1bc7dull, 0x99d860a1d958db93ull, 0xefaeac5f02b2bc73ull, 0x4d49d914adfbdc8dull, 0x45b245b85629b928ull, 0x1cbcc77c55199655ull}},
        {33, 17, 7, {0x937787f2d4889c33ull, 0x2ea11a6bd1593c32ull, 0x219b3b404da7ec85ull, 0x3391666a7c24b716ull, 0xfb67cb996bf4bbaeull, 0x2bfa3cd264048a2dull}},
        {1, 1, 2, {0x3cbe0908a34969b7ull, 0x3cbe0908a34969b7ull, 0x3cbe0908a34969b7ull}},
        {130, 9, 3, {0xe2c002194eb9f1a2ull, 0xde0f5653d6e6b64cull, 0x16a8984c9bf9c97dull, 0xb493758337aa510dull, 0x95b6cbb9a1acebdaull}},
        {97, 61, 123456, {0x32e16771d4cfcd50ull, 0x29dd0fb7fe18a66eull, 0x98ca1e406e197bd2ull, 0x53216541a3dc21ddull, 0x31012b0079eef86dull, 0xc5a172590cb249fdull, 0xc31853e72e4a4e35ull, 0xc8b9c3b09201603bull}},
        {160, 120, 2024, {0x9ca72d248ff4e7f6ull, 0x7bbda6d4cbd98ad0ull, 0x6da42ccebc2bfd6dull, 0x2d2c5a52b4e88023ull, 0xe23c57209752a169ull, 0x7da4280737292058ull, 0x463691c250b45baeull, 0x518f8bb630f50d26ull, 0xfd2d0605c8b76447ull, 0xa73656ca60f72e78ull}},
    };
    for (const GoldenCase& c : cases)
        for (const bool plain : {true, false})
            EXPECT_EQ(PictureHashes(c.width, c.height, c.seed, c.hashes.size(), plain), c.hashes)
                << c.width << "x" << c.height << " seed " << c.seed << (plain ? ", plain loop" : ", fastest kernel");
}

}  // namespace
}  // namespace quorvana
