// SPDX-License-Identifier: MIT
// The pixel store: clip semantics of every operation, and foreign memory.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "render/pixel_store.h"

namespace quorvana {
namespace {

TEST(PixelStore, ReadsAndWritesOnlyInsideTheClip)
{
    PixelStore store(10, 8);
    store.SetClip({2, 3, 6, 5});
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {{2, 3, true}, {5, 4, true}, {1, 3, false}, {6, 4, false}, {2, 2, false},
                 {2, 5, false}, {-1, -1, false}, {10, 0, false}, {INT_MIN, INT_MAX, false}};
    for (const Case& c : cases) {
        store.SetPixel(c.x, c.y, 0x123456);
        EXPECT_EQ(store.GetPixel(c.x, c.y), c.inside ? 0x123456u : kNoPixel) << c.x << "," << c.y;
    }
    store.ResetClip();
    EXPECT_EQ(store.GetPixel(1, 3), kBlack);  // the write outside the clip changed nothing
    EXPECT_EQ(store.GetPixel(9, 7), kBlack);
    EXPECT_EQ(store.GetPixel(10, 7), kNoPixel);
}

TEST(PixelStore, ClipNeverLeavesTheStore)
{
    PixelStore store(10, 8);
    store.SetClip({-5, -5, 50, 50});
    EXPECT_EQ(store.Clip(), (Rect{0, 0, 10, 8}));
    store.SetClip({20, 20, 30, 30});
    EXPECT_TRUE(store.Clip().IsEmpty());
    EXPECT_EQ(store.GetPixel(0, 0), kNoPixel);
}

TEST(PixelStore, FillBlackStaysInsideTheClip)
{
    PixelStore store(6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) store.SetPixel(x, y, 0xFF00);
    store.SetClip({1, 1, 3, 4});
    store.FillBlack(store.ClientRect());
    EXPECT_EQ(store.ClientRect(), (Rect{0, 0, 6, 6}));  // the client area ignores the clip
    store.ResetClip();
    int black = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) black += store.GetPixel(x, y) == kBlack;
    EXPECT_EQ(black, 6);
    EXPECT_EQ(store.GetPixel(1, 1), kBlack);
    EXPECT_EQ(store.GetPixel(3, 1), 0xFF00u);
}

TEST(PixelStore, RowsAreClippedPixelByPixel)
{
    PixelStore store(8, 4);
    store.SetClip({2, 0, 6, 3});
    const std::vector<COLORREF> row = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    store.SetRow(-1, 1, row.data(), 10);
    std::vector<COLORREF> read(10);
    store.GetRow(-1, 1, read.data(), 10);
    EXPECT_EQ(read, (std::vector<COLORREF>{kNoPixel, kNoPixel, kNoPixel, 4, 5, 6, 7, kNoPixel, kNoPixel,
                                           kNoPixel}));
    store.GetRow(0, 3, read.data(), 10);  // a row outside the clip
    EXPECT_EQ(read, std::vector<COLORREF>(10, kNoPixel));
    store.SetRow(INT_MAX - 2, 1, row.data(), 10);  // far off: no overflow, no write
    store.SetRow(INT_MIN, 1, row.data(), 10);
    store.GetRow(INT_MAX - 2, 1, read.data(), 10);
    EXPECT_EQ(read, std::vector<COLORREF>(10, kNoPixel));
    store.ResetClip();
    EXPECT_EQ(store.GetPixel(1, 1), kBlack);
    EXPECT_EQ(store.GetPixel(6, 1), kBlack);
}

TEST(PixelStore, DirectRowsOnlyForSpansWhollyInsideTheClip)
{
    PixelStore store(8, 4);
    store.SetClip({2, 1, 6, 3});
    struct Case {
        int x, y, count;
        bool inside;
    } cases[] = {{2, 1, 4, true}, {3, 2, 2, true}, {2, 1, 5, false}, {1, 1, 2, false}, {2, 0, 1, false},
                 {2, 3, 1, false}, {2, 1, 0, false}, {INT_MAX, 1, 2, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(store.WritableRow(c.x, c.y, c.count) != nullptr, c.inside) << c.x << "," << c.y << " +" << c.count;
        EXPECT_EQ(store.ReadableRow(c.x, c.y, c.count) != nullptr, c.inside) << c.x << "," << c.y << " +" << c.count;
    }
    store.WritableRow(3, 2, 2)[1] = 0x55;
    EXPECT_EQ(store.GetPixel(4, 2), 0x55u);
    EXPECT_EQ(store.ReadableRow(2, 2, 4)[2], 0x55u);
}

TEST(PixelStore, WrapsForeignMemoryWithItsStride)
{
    std::vector<COLORREF> memory(5 * 3, 0xAA);
    PixelStore store(4, 3, 5, memory.data());
    store.FillBlack(store.ClientRect());
    store.SetPixel(3, 2, 0x77);
    EXPECT_EQ(memory[2 * 5 + 3], 0x77u);
    EXPECT_EQ(memory[0 * 5 + 4], 0xAAu);  // the padding column is not the store's
    EXPECT_EQ(store.GetPixel(4, 0), kNoPixel);
}

}  // namespace
}  // namespace quorvana
