// SPDX-License-Identifier: MIT
// The Wayland front end's platform-free rules, each as a table: a surface's
// size in device pixels, the rows a commit damages, and which buttons count.
#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include "wayland/buffer_pool.h"
#include "wayland/output_surface.h"
#include "wayland/seat_input.h"

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

TEST(DeviceSize, NoSideOverTheLongestAnyPictureHasProportionsKept)
{
    const struct {
        PixelSize asked, drawn;
    } cases[] = {
        {{32000, 24000}, {16384, 12288}},  // an output at scale 0.02
        {{16384, 16384}, {16384, 16384}},  // the most, as it is
        {{1920, 1080}, {1920, 1080}},
        {{20000, 1}, {16384, 1}},
        {{1, 40000}, {1, 16384}},          // never below a pixel
    };
    for (const auto& c : cases) EXPECT_EQ(BoundedToMaxSide(c.asked), c.drawn) << c.asked.width << "x" << c.asked.height;
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
