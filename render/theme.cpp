// SPDX-License-Identifier: MIT
#include "render/theme.h"

#include <algorithm>
#include <initializer_list>

namespace quorvana {

namespace {

static_assert((163u * kGreenStep & 0xFF) == 1, "CountOfGreen inverts the green step");

struct Rgb {
    int r, g, b;
};

// A theme other than green: its colour stops, darkest first, and its marker.
struct Stops {
    std::vector<Rgb> stops;
    Rgb marker;
};

Stops StopsOf(ThemeName name)
{
    switch (name) {
    case ThemeName::Warm:
        return {{{48, 4, 0}, {150, 28, 0}, {235, 110, 0}, {255, 200, 70}, {255, 245, 200}}, {0, 230, 255}};
    case ThemeName::Cold:
        return {{{0, 20, 80}, {0, 70, 170}, {0, 150, 220}, {110, 220, 255}, {225, 250, 255}}, {255, 170, 0}};
    case ThemeName::Spectrum:
        return {{{40, 0, 80}, {0, 40, 255}, {0, 210, 230}, {40, 240, 40}, {255, 235, 0}, {255, 60, 0}},
                {255, 255, 255}};
    case ThemeName::Grey:
        return {{{28, 28, 28}, {250, 250, 250}}, {255, 40, 40}};
    case ThemeName::Green:
        break;
    }
    return {{}, {}};
}

int SquareRoot(int value)  // the largest r with r · r <= value
{
    int r = 0;
    while ((r + 1) * (r + 1) <= value) ++r;
    return r;
}

// Along the stops by a square root of the count: counts 1 … 255 cover the
// positions 0 … kScale.
constexpr int kScale = 1024;
Rgb AlongStops(const std::vector<Rgb>& stops, unsigned count)
{
    const int position = SquareRoot(static_cast<int>(count - 1) * kScale * kScale / 254);
    const int segments = static_cast<int>(stops.size()) - 1;
    const int scaled = position * segments;
    const int segment = std::min(scaled / kScale, segments - 1);
    const int within = scaled - segment * kScale;  // 0 … kScale
    const Rgb& a = stops[static_cast<std::size_t>(segment)];
    const Rgb& b = stops[static_cast<std::size_t>(segment) + 1];
    auto mix = [within](int from, int to) { return from + ((to - from) * within + kScale / 2) / kScale; };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

// A level lifted towards the square-root curve by brightness percent.
int Lift(int level, int brightness)
{
    return level + ((SquareRoot(level * 255) - level) * brightness + kMaxBrightness / 2) / kMaxBrightness;
}

Rgb Lift(Rgb colour, int brightness)
{
    return {Lift(colour.r, brightness), Lift(colour.g, brightness), Lift(colour.b, brightness)};
}

COLORREF ToColour(Rgb c) { return MakeRgb(static_cast<unsigned>(c.r), static_cast<unsigned>(c.g), static_cast<unsigned>(c.b)); }

// A colour already given to another count, or the marker's, moves by the
// smallest step that makes it free, so that different counts always look
// different (the top of a square root changes slowly).
Rgb Unused(Rgb colour, const std::vector<COLORREF>& used)
{
    auto taken = [&used](Rgb c) { return std::find(used.begin(), used.end(), ToColour(c)) != used.end(); };
    if (!taken(colour)) return colour;
    for (int step = 1;; ++step)
        for (const Rgb delta : {Rgb{0, 0, step}, Rgb{0, 0, -step}, Rgb{step, 0, 0}, Rgb{-step, 0, 0},
                                Rgb{0, step, 0}, Rgb{0, -step, 0}}) {
            const Rgb moved{colour.r + delta.r, colour.g + delta.g, colour.b + delta.b};
            const bool inRange = std::min({moved.r, moved.g, moved.b}) >= 0 && std::max({moved.r, moved.g, moved.b}) <= 255;
            if (inRange && !taken(moved)) return moved;
        }
}

}  // namespace

Theme::Theme()
{
    for (unsigned green = 0; green < 256; ++green) m_colours[green] = MakeRgb(0, green, 0);
}

Theme MakeTheme(ThemeName name, int brightness)
{
    brightness = std::clamp(brightness, 0, kMaxBrightness);
    Theme theme;
    theme.m_asItIs = name == ThemeName::Green && brightness == 0;
    if (theme.m_asItIs) return theme;
    const Stops stops = StopsOf(name);
    // Green lifted keeps its levels but no longer its dim marker.
    const Rgb marker = name == ThemeName::Green ? Rgb{200, 255, 200} : stops.marker;
    std::vector<COLORREF> used = {kBlack, ToColour(marker)};
    theme.m_colours[0] = kBlack;
    theme.m_colours[kMarkerGreen] = ToColour(marker);
    // In the order of the counts, so the darkest colours keep their place.
    for (unsigned count = 1; count < 256; ++count) {
        const unsigned green = kGreenStep * count & 0xFF;
        if (green == kMarkerGreen) continue;
        const Rgb designed = name == ThemeName::Green ? Rgb{0, static_cast<int>(green), 0}
                                                      : AlongStops(stops.stops, count);
        const Rgb colour = Unused(Lift(designed, brightness), used);
        used.push_back(ToColour(colour));
        theme.m_colours[green] = ToColour(colour);
    }
    return theme;
}

const std::vector<std::string>& ThemeNames()
{
    static const std::vector<std::string> s_names = {"green", "warm", "cold", "spectrum", "grey"};
    return s_names;
}

std::string ThemeChoices()
{
    std::string choices;
    for (const std::string& name : ThemeNames()) choices += (choices.empty() ? "" : ", ") + name;
    return choices;
}

std::optional<ThemeName> ThemeNamed(std::string_view name)
{
    const std::vector<std::string>& names = ThemeNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<ThemeName>(i);
    return std::nullopt;
}

}  // namespace quorvana
