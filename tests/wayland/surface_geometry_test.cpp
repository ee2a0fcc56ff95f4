// SPDX-License-Identifier: MIT
// The Wayland front end's platform-free rules, each as a table: a surface's
// size in device pixels, the rows a commit damages, the bands a picture is
// cut into, the writes that wait for a band, and which buttons count.
#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include "wayland/output_surface.h"
#include "wayland/seat_input.h"
#include "wayland/pending_writes.h"
#include "wayland/surface_presenter.h"

namespace quorvana {
namespace {

TEST(DeviceSize, IntegerScaleMultipliesFractionalRoundsHalfAwayFromZero)
{
    const struct {
        PixelSize logical;
        int scale;
        std::optional<std::uint32_t> fractional120;
        PixelSize device;
    } cases[] = {
        {{1920, 1080}, 1, std::nullopt, {1920, 1080}},
        {{640, 480}, 2, std::nullopt, {1280, 960}},   // sway's "scale 2" on a 1280 x 960 mode
        {{1280, 720}, 3, std::nullopt, {3840, 2160}},
        {{1280, 720}, 2, 180, {1920, 1080}},          // 1.5: the fractional scale wins over the integer one
        {{1707, 960}, 2, 180, {2561, 1440}},          // 2560.5 rounds up
        {{1, 1}, 1, 180, {2, 2}},                     // 1.5 rounds away from zero
        {{1366, 768}, 1, 150, {1708, 960}},           // 1.25: 1707.5 rounds up
        {{2560, 1440}, 1, 120, {2560, 1440}},         // 120ths of one: unchanged
        {{1000, 1000}, 1, 121, {1008, 1008}},         // 1008.33
    };
    for (const auto& c : cases) {
        const PixelSize got = DeviceSize(c.logical, c.scale, c.fractional120);
        EXPECT_EQ(got, c.device) << c.logical.width << "x" << c.logical.height << " scale " << c.scale << " / "
                                 << c.fractional120.value_or(0) << ": " << got.width << "x" << got.height;
    }
}

TEST(RowSpan, JoiningKeepsEveryRowOfBothAndEmptyOnesAddNothing)
{
    const struct {
        RowSpan a, b, joined;
    } cases[] = {
        {{0, 0}, {0, 0}, {0, 0}},      {{4, 5}, {0, 0}, {4, 5}},     {{0, 0}, {4, 5}, {4, 5}},
        {{4, 5}, {6, 7}, {4, 7}},      {{6, 7}, {4, 5}, {4, 7}},     {{0, 480}, {2, 3}, {0, 480}},
        {{10, 12}, {9, 9}, {10, 12}},  {{9, 3}, {10, 12}, {10, 12}},  // bottom ≤ top is empty wherever it lies
    };
    for (const auto& c : cases) {
        const RowSpan got = c.a.Joined(c.b);
        EXPECT_EQ(got.top, c.joined.top) << c.a.top << ".." << c.a.bottom << " + " << c.b.top << ".." << c.b.bottom;
        EXPECT_EQ(got.bottom, c.joined.bottom) << c.a.top << ".." << c.a.bottom << " + " << c.b.top << ".." << c.b.bottom;
    }
}

// Bands cover the picture exactly, in order, each starting at a whole
// logical row; only the last is shorter.
TEST(BandRows, CoverEveryRowOnceAtWholeLogicalRows)
{
    const struct {
        int height, scale, bands, lastHeight;
    } cases[] = {
        {1080, 1, 34, 24}, {480, 1, 15, 32}, {960, 2, 30, 32}, {2160, 3, 66, 15}, {31, 1, 1, 31}, {1, 1, 1, 1},
        {64, 5, 2, 29},  // bands of 35 rows: 32 rounded up to whole rows of 5
    };
    for (const auto& c : cases) {
        const std::vector<RowSpan> bands = BandRows(c.height, c.scale);
        ASSERT_EQ(static_cast<int>(bands.size()), c.bands) << c.height << " rows at scale " << c.scale;
        EXPECT_EQ(bands.back().Height(), c.lastHeight) << c.height << " rows at scale " << c.scale;
        int next = 0;
        for (const RowSpan& band : bands) {
            EXPECT_EQ(band.top, next);
            EXPECT_EQ(band.top % c.scale, 0) << c.height << " rows at scale " << c.scale;
            next = band.bottom;
        }
        EXPECT_EQ(next, c.height);
    }
}

// Writes that wait apply oldest first, so a later write to a pixel wins,
// both when read back meanwhile and once applied.
TEST(PendingWrites, LaterWritesWinWhenReadAndWhenApplied)
{
    constexpr int kWidth = 6;
    PendingWrites pending;
    const COLORREF row[] = {1, 2, 3, 4};
    pending.Add(1, 2, row, 4);   // row 2: x 1 … 4
    const COLORREF marker = 9;
    pending.Add(3, 2, &marker, 1);
    pending.Add(4, 2, &marker, 1);  // continues the last run
    pending.Add(0, 0, &marker, 1);
    EXPECT_EQ(pending.Top(), 0);
    EXPECT_EQ(pending.Bottom(), 3);
    const struct {
        int x, y;
        std::optional<COLORREF> colour;
    } reads[] = {{1, 2, 1}, {2, 2, 2}, {3, 2, 9}, {4, 2, 9}, {5, 2, std::nullopt}, {0, 0, 9}, {0, 1, std::nullopt}};
    for (const auto& r : reads) EXPECT_EQ(pending.PixelAt(r.x, r.y), r.colour) << r.x << "," << r.y;

    std::vector<COLORREF> pixels(3 * kWidth, 7);
    pending.ApplyTo(pixels.data(), kWidth);
    EXPECT_TRUE(pending.Empty());
    EXPECT_EQ(pixels, (std::vector<COLORREF>{9, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 1, 2, 9, 9, 7}));
}

TEST(ButtonOfCode, TheThreeMainButtonsByTheirLinuxCodesTheRestAreOther)
{
    using B = CloseRules::Button;
    const struct {
        std::uint32_t code;
        B button;
    } cases[] = {
        {BTN_LEFT, B::Primary}, {BTN_MIDDLE, B::Middle}, {BTN_RIGHT, B::Secondary},
        {BTN_SIDE, B::Other},   {BTN_EXTRA, B::Other},   {BTN_FORWARD, B::Other},
        {BTN_BACK, B::Other},   {BTN_TASK, B::Other},    {0, B::Other},
    };
    for (const auto& c : cases) EXPECT_EQ(ButtonOfCode(c.code), c.button) << "code " << c.code;
}

}  // namespace
}  // namespace quorvana
