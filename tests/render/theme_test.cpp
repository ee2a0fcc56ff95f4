// SPDX-License-Identifier: MIT
// The themes as a table: green exactly the stored levels, every theme's
// counts in colours of their own, the marker apart from them all, and full
// rows showing each drawn row twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "render/julia_renderer.h"
#include "render/picture_look.h"
#include "render/theme.h"

namespace quorvana {
namespace {

TEST(Theme, GreenShowsEveryStoredLevelAsItIs)
{
    const Theme green = MakeTheme(ThemeName::Green, 0);
    EXPECT_TRUE(green.ShowsStoreAsItIs());
    for (int n = 0; n <= JuliaRenderer::kMaxIter; ++n)
        EXPECT_EQ(green.Shown(JuliaRenderer::DrawnColour(n)), JuliaRenderer::DrawnColour(n)) << n;
    EXPECT_EQ(green.Shown(JuliaRenderer::kMarkerColour), JuliaRenderer::kMarkerColour);
    EXPECT_EQ(green.Shown(kBlack), kBlack);
}

TEST(Theme, CountOfGreenInvertsTheDrawnLevel)
{
    for (unsigned n = 0; n < 256; ++n) EXPECT_EQ(CountOfGreen(JuliaRenderer::DrawnColour(static_cast<int>(n)) >> 8), n);
    EXPECT_EQ(JuliaRenderer::kMarkerColour, MakeRgb(0, kMarkerGreen, 0));
}

TEST(Theme, EveryThemeGivesEachCountItsOwnColourAndTheMarkerNone)
{
    for (const std::string& name : ThemeNames())
        for (const int brightness : {0, 40, kMaxBrightness}) {
            const Theme theme = MakeTheme(*ThemeNamed(name), brightness);
            std::set<COLORREF> seen;
            for (unsigned green = 0; green < 256; ++green) {
                const COLORREF colour = theme.Colours()[green];
                EXPECT_EQ(colour >> 24, 0u) << name;
                EXPECT_TRUE(seen.insert(colour).second) << name << " " << brightness << ": level " << green;
            }
            EXPECT_EQ(theme.Shown(kBlack), kBlack) << name << ": never escaped stays black";
            EXPECT_EQ(theme.Marker(), theme.Shown(JuliaRenderer::kMarkerColour)) << name;
            EXPECT_EQ(theme.ShowsStoreAsItIs(), name == "green" && brightness == 0) << name;
        }
}

int Distance(COLORREF a, COLORREF b)  // the largest difference of a primary
{
    int most = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        most = std::max(most, std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)));
    return most;
}

TEST(Theme, TheMarkerStandsOutOfEveryThemeButTheSpecifiedOne)
{
    for (const std::string& name : ThemeNames())
        for (const int brightness : {0, 50}) {
            if (name == "green" && brightness == 0) continue;
            const Theme theme = MakeTheme(*ThemeNamed(name), brightness);
            for (unsigned green = 0; green < 256; ++green) {
                if (green == kMarkerGreen) continue;
                EXPECT_GE(Distance(theme.Marker(), theme.Colours()[green]), 96) << name << " " << green;
            }
        }
}

// A colour's brightness as the eye weighs it, in 1/1000.
int Luma(COLORREF c) { return 299 * static_cast<int>(c & 0xFF) + 587 * static_cast<int>(c >> 8 & 0xFF) + 114 * static_cast<int>(c >> 16 & 0xFF); }

TEST(Theme, ThemesLiftTheLowCountsAndBrightnessLiftsGreen)
{
    const COLORREF count2 = JuliaRenderer::DrawnColour(2);
    const int green = Luma(MakeTheme(ThemeName::Green, 0).Shown(count2));
    for (const std::string& name : ThemeNames()) {
        if (name != "green") { EXPECT_GT(Luma(MakeTheme(*ThemeNamed(name), 0).Shown(count2)), 2 * green) << name; }
    }
    EXPECT_GT(Luma(MakeTheme(ThemeName::Green, 60).Shown(count2)), 2 * green);
    // The stops run darkest first: count 200 is brighter than count 2.
    for (const std::string& name : ThemeNames()) {
        if (name == "green") continue;
        const Theme theme = MakeTheme(*ThemeNamed(name), 0);
        EXPECT_GT(Luma(theme.Shown(JuliaRenderer::DrawnColour(200))), Luma(theme.Shown(count2))) << name;
    }
}

TEST(Theme, NamesRoundTripAndUnknownOnesAreRefused)
{
    ASSERT_GE(ThemeNames().size(), 5u);
    for (std::size_t i = 0; i < ThemeNames().size(); ++i) EXPECT_EQ(ThemeNamed(ThemeNames()[i]), static_cast<ThemeName>(i));
    EXPECT_FALSE(ThemeNamed("Green"));
    EXPECT_FALSE(ThemeNamed(""));
}

TEST(PictureLook, FullRowsShowEachDrawnRowOnTheOddRowBelow)
{
    PixelStore store(3, 5);
    for (int y = 0; y < 5; y += 2)
        for (int x = 0; x < 3; ++x) store.SetPixel(x, y, JuliaRenderer::DrawnColour(1 + x + y));
    const PictureLook look{MakeTheme(ThemeName::Cold, 0), true};
    PixelStore shown(3, 5);
    ShowPicture(store, look, shown);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(shown.GetPixel(x, y), look.theme.Shown(store.GetPixel(x, y - y % 2))) << x << "," << y;
    EXPECT_EQ(look.ShownArea(Rect{0, 2, 3, 3}, 5), (Rect{0, 2, 3, 4}));
    EXPECT_EQ(look.ShownArea(Rect{0, 4, 3, 5}, 5), (Rect{0, 4, 3, 5}));  // no row below the last
    EXPECT_EQ(PictureLook{}.ShownArea(Rect{0, 2, 3, 3}, 5), (Rect{0, 2, 3, 3}));
    EXPECT_FALSE(look.ShowsStoreAsItIs());
    EXPECT_TRUE(PictureLook{}.ShowsStoreAsItIs());
}

}  // namespace
}  // namespace quorvana
