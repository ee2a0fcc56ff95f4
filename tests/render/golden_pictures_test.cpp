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
        hashes.push_back(test::PictureHash(window));
    }
    return hashes;
}

TEST(GoldenPictures, SequencesMatchToTheBit)
{
    const std::vector<GoldenCase> cases = {
        {64, 48, 1, {0xdbc9018b210ee956ull, 0x230d6b6d87462e7bull, 0x0e297d5a0388bf73ull, 0x98c9f0ff0ec4fc36ull, 0x0f29ece6a17392edull, 0xb35595eaae92c1a5ull}},
        {33, 17, 7, {0xf78958060564b8acull, 0x713a4a3c23250cefull, 0x49232004d65d0077ull, 0xf071565b065fdfc1ull, 0x876a9f18c0131f14ull, 0xb9f6df70a7307851ull}},
        {1, 1, 2, {0xf4b1e9a0644a3a86ull, 0xf4b1e9a0644a3a86ull, 0xf4b1e9a0644a3a86ull}},
        {130, 9, 3, {0xa774aa9ab44ace23ull, 0xb8361e0ac60ca0a6ull, 0x82b821ae0705e1f9ull, 0x570f6fea79814b31ull, 0x13d33cc9dea94aa3ull}},
        {97, 61, 123456, {0xba20fac167e62ad1ull, 0x1e9a0be6530d77b8ull, 0x92bd243a9428206cull, 0xb561a5e9a57f24b8ull, 0x531ea458f2884b81ull, 0x6665ea5b2d9df765ull, 0xd964e584a3608a97ull, 0x801fdfe4571b34b8ull}},
        {160, 120, 2024, {0x0c30883fbb8560a8ull, 0xff2c0a7d38ea4683ull, 0x011979b7457ad30dull, 0x60d5341552a43f24ull, 0x311a21657906f460ull, 0xb50f189970a706ebull, 0x2d403f58789f35f9ull, 0x3bd09c65fbe2c9baull, 0x2f82bde82500e979ull, 0x1d1d88c8c8aa510cull}},
    };
    for (const GoldenCase& c : cases)
        EXPECT_EQ(PictureHashes(c.width, c.height, c.seed, c.hashes.size()), c.hashes)
            << c.width << "x" << c.height << " seed " << c.seed;
}

}  // namespace
}  // namespace quorvana
