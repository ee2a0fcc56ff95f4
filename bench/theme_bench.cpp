// SPDX-License-Identifier: MIT
// Drawing in each look, side by side in one run: a picture of a 1920 × 1080
// window from seed 1 that ends with a zoom, and the next picture's first
// second at speed 100 (100 ticks), tick by tick with the dispatched kernel,
// each tick's change shown into a 32-bit image as a front end presents it.
// In green the store is the image and nothing is shown; every other look
// shows the changed rows through its packed table (render/shown_picture.h),
// the zoom the whole window while it moves. The kernel is the same in every
// look: the difference is the showing alone.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "render/dirty_surface.h"
#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "render/shown_picture.h"

namespace quorvana::bench {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

constexpr int kTicksAfter = 100;

// The renderer as the first picture that ends with a zoom starts, recorded once.
const JuliaRenderer& PictureStart()
{
    static const JuliaRenderer start = [] {
        PixelStore window(kWidth, kHeight);
        JuliaRenderer renderer(1);
        renderer.RestartPicture(window);
        for (;;) {
            const JuliaRenderer picture = renderer;
            TickOutcome outcome;
            do outcome = renderer.DrawNextRow(window);
            while (outcome == TickOutcome::Row);
            if (outcome == TickOutcome::Zoomed) return picture;
        }
    }();
    return start;
}

void DrawShown(benchmark::State& state, ShowChoices choices)
{
    PixelStore window(kWidth, kHeight);
    std::vector<std::uint32_t> image(static_cast<std::size_t>(kWidth) * kHeight);
    const PackedColours packed = choices.look.Packed([](COLORREF c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); });
    for (auto _ : state) {
        JuliaRenderer renderer = PictureStart();
        ShownPicture shown(choices);
        int ticksAfter = 0;
        do {
            DirtySurface surface(window);
            const View before = renderer.CurrentView();
            const TickOutcome outcome = renderer.DrawNextRow(surface);
            if (outcome != TickOutcome::Row || ticksAfter > 0) ++ticksAfter;
            if (shown.ShowsStoreAsItIs()) continue;
            shown.AfterTick(window, outcome, ZoomStep{before, renderer.CurrentView()}, renderer.Row());
            const Rect area = shown.ShownArea(surface.TakeDirty(), kWidth, kHeight);
            for (int y = area.top; y < area.bottom; ++y)
                shown.ShowRow(window, y, area.left, area.right, packed, image.data() + static_cast<std::ptrdiff_t>(y) * kWidth);
        } while (ticksAfter <= kTicksAfter);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
}

const int kRegistered = [] {
    const auto add = [](const std::string& name, ShowChoices choices) {
        benchmark::RegisterBenchmark(("look/" + name).c_str(), DrawShown, choices)->Unit(benchmark::kMillisecond);
    };
    for (const std::string& name : ThemeNames()) add(name, {PictureLook{MakeTheme(*ThemeNamed(name), 0), false}, 0});
    add("green-brightness-50", {PictureLook{MakeTheme(ThemeName::Green, 50), false}, 0});
    add("warm-full-rows", {PictureLook{MakeTheme(ThemeName::Warm, 0), true}, 0});
    add("warm-zoom-100-ticks", {PictureLook{MakeTheme(ThemeName::Warm, 0), false}, ZoomTicks(10)});
    return 0;
}();

}  // namespace
}  // namespace quorvana::bench
