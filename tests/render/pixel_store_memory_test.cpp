// SPDX-License-Identifier: MIT
// A store too large for memory: Resize says so, throws nothing, and leaves
// an empty store that a later Resize still makes whole and black.
#include <gtest/gtest.h>

#include <climits>

#include "render/pixel_store.h"

namespace quorvana {
namespace {

TEST(PixelStore, ResizeBeyondMemoryFailsAndLeavesTheStoreEmpty)
{
    PixelStore store(4, 3);
    store.SetPixel(1, 1, 0x00FF00);
    // 16 EiB less a little: more than any address space holds, and more
    // than new takes without throwing (nothrow or not).
    EXPECT_FALSE(store.Resize(INT_MAX, INT_MAX));
    EXPECT_EQ(store.Width(), 0);
    EXPECT_EQ(store.Height(), 0);
    EXPECT_TRUE(store.Clip().IsEmpty());
    EXPECT_EQ(store.GetPixel(0, 0), kNoPixel);

    ASSERT_TRUE(store.Resize(5, 2));
    EXPECT_EQ(store.Clip(), (Rect{0, 0, 5, 2}));
    store.SetPixel(4, 1, 0x00FF00);
    // The same count of pixels in another shape: the memory is kept, the contents become black.
    ASSERT_TRUE(store.Resize(2, 5));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(store.GetPixel(x, y), kBlack) << x << "," << y;
}

}  // namespace
}  // namespace quorvana
