// SPDX-License-Identifier: MIT
// How a picture looks on screen: a theme turns each colour the renderer
// keeps in its store (a green level, render/colour.h) into the colour shown.
// The store itself is never themed: the frame end reads it back to choose
// the next view, so it holds the same values whatever the user picked.
//
// A green level identifies an escape count modulo 256 (kGreenStep is odd,
// so n ↦ kGreenStep · n mod 256 is one-to-one), black the counts 0, 256 and
// 512 (never escaped) and the rows not drawn. A theme is therefore a table
// of 256 colours indexed by the green byte, computed once by MakeTheme with
// integer arithmetic only, so every platform shows the same pixels. Entry
// kMarkerGreen, the marker's level, holds the theme's marker colour; the
// counts that share that level (235 and 491, rare at the edge of the set)
// show in it too.
//
// `green` is the specified look: each entry is its own level, exactly, at
// brightness 0; lifted, its marker is a pale green that stands out. The other themes run through their colour stops along a
// square root of the count, which spreads the few low counts most pixels
// have over much of the scale. Brightness 1 … 100 lifts every theme's dark
// colours towards a square-root curve.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/colour.h"
#include "render/julia_renderer.h"

namespace quorvana {

enum class ThemeName { Green, Warm, Cold, Spectrum, Grey };

inline constexpr int kMaxBrightness = 100;
// The green level of the renderer's marker.
inline constexpr unsigned kMarkerGreen = JuliaRenderer::kMarkerColour >> 8 & 0xFF;

class Theme {
public:
    // green at brightness 0: every colour shown as it is kept.
    Theme();

    // The colour shown for a colour of the store.
    COLORREF Shown(COLORREF stored) const { return m_colours[(stored >> 8) & 0xFF]; }
    // The colour of each green level 0 … 255 (a GIF's palette).
    const std::array<COLORREF, 256>& Colours() const { return m_colours; }
    COLORREF Marker() const { return m_colours[kMarkerGreen]; }
    // True for green at brightness 0: the store can be shown as it is.
    bool ShowsStoreAsItIs() const { return m_asItIs; }

private:
    friend Theme MakeTheme(ThemeName name, int brightness);
    std::array<COLORREF, 256> m_colours{};
    bool m_asItIs = true;
};

// The theme's table; brightness 0 … kMaxBrightness (0: as designed).
Theme MakeTheme(ThemeName name, int brightness);

// The escape count modulo 256 that a green level stands for.
constexpr unsigned CountOfGreen(unsigned green) { return (163u * green) & 0xFF; }  // 163 · kGreenStep ≡ 1

// The names users type, in the order of ThemeName.
const std::vector<std::string>& ThemeNames();
// "green, warm, cold, spectrum, grey", for a complaint about a name.
std::string ThemeChoices();
std::optional<ThemeName> ThemeNamed(std::string_view name);

}  // namespace quorvana
