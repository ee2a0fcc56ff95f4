// SPDX-License-Identifier: MIT
// Colours of the pictures as pixel values of the visuals a server offers.
#include <gtest/gtest.h>

#include <X11/X.h>

#include "x11/pixel_format.h"

namespace quorvana {
namespace {

TEST(PixelFormat, PlacesEachChannelWhereTheVisualsMasksSay)
{
    const COLORREF colour = MakeRgb(0x12, 0x34, 0x56);
    const struct {
        const char* name;
        int depth;
        unsigned long red, green, blue;
        std::uint32_t pixel;
        bool keepsGreens;  // every green level packs to itself: the store can be the image
    } cases[] = {
        {"24-bit RGB", 24, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, true},
        {"24-bit BGR", 24, 0x0000FF, 0x00FF00, 0xFF0000, 0x563412, true},
        {"24-bit green above", 24, 0x0000FF, 0xFF0000, 0x00FF00, 0x345612, false},
        {"32-bit ARGB: alpha set", 32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF123456, false},
        {"32-bit RGBA: alpha set", 32, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x123456FF, false},
    };
    for (const auto& c : cases) {
        auto format = PixelFormat::FromVisual(TrueColor, c.depth, c.red, c.green, c.blue);
        ASSERT_TRUE(format) << c.name << ": " << format.Error().Message();
        EXPECT_EQ(format->Pack(colour), c.pixel) << c.name;
        EXPECT_EQ(format->Pack(kBlack) & (c.red | c.green | c.blue), 0u) << c.name;
        EXPECT_EQ(format->KeepsPictureColours(), c.keepsGreens) << c.name;
        EXPECT_EQ(format->Pack(MakeRgb(0, 0x80, 0)) == MakeRgb(0, 0x80, 0), c.keepsGreens) << c.name;
    }
}

TEST(PixelFormat, TheGreenLevelsOfThePicturesComeOutUnchangedOnRgb)
{
    auto format = PixelFormat::FromVisual(TrueColor, 24, 0xFF0000, 0xFF00, 0xFF);
    ASSERT_TRUE(format);
    for (unsigned g = 0; g < 256; ++g) EXPECT_EQ(format->Pack(MakeRgb(0, g, 0)), g << 8);
}

TEST(PixelFormat, RefusesWhatItCannotDrawOnWithAReason)
{
    const struct {
        const char* name;
        int visualClass, depth;
        unsigned long red, green, blue;
        const char* reason;
    } cases[] = {
        {"16-bit", TrueColor, 16, 0xF800, 0x07E0, 0x001F, "depth 16"},
        {"30-bit", TrueColor, 30, 0x3FF00000, 0xFFC00, 0x3FF, "depth 30"},
        {"8-bit palette", PseudoColor, 8, 0, 0, 0, "not TrueColor"},
        {"24-bit DirectColor", DirectColor, 24, 0xFF0000, 0xFF00, 0xFF, "not TrueColor"},
        {"overlapping masks", TrueColor, 24, 0xFF0000, 0xFFFF00, 0xFF, "masks"},
        {"broken mask", TrueColor, 24, 0xF0F000, 0xFF00, 0xFF, "masks"},
        {"no blue", TrueColor, 24, 0xFF0000, 0xFF00, 0, "masks"},
    };
    for (const auto& c : cases) {
        const auto format = PixelFormat::FromVisual(c.visualClass, c.depth, c.red, c.green, c.blue);
        ASSERT_FALSE(format) << c.name;
        EXPECT_EQ(format.Error().ExitStatus(), Failure::kRuntimeStatus) << c.name;
        EXPECT_NE(format.Error().Message().find(c.reason), std::string::npos) << c.name << ": " << format.Error().Message();
    }
}

}  // namespace
}  // namespace quorvana
