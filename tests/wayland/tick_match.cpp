// SPDX-License-Identifier: MIT
// tick_match SCREENSHOT.png SEED OUTPUT PICTURES [LOOK...]: is the screenshot
// of one output exactly what the exporter's window (tools/simulated_window.h)
// of the screenshot's size shows after some tick, in the look the exporter's
// options --theme, --brightness and --full-rows give (the specified one by default), for the seed that a saver given
// --seed SEED draws that output with (saver/monitor_seed.h; OUTPUT counts
// from 0 in the order the outputs came)? A saver's output is taken at an
// arbitrary moment, so the window is stepped tick by tick
// through PICTURES pictures and compared, pixel for pixel, after each one
// (only the rows a tick changed are compared again).
// Prints "tick T of picture P" and exits 0 at the first match (tick 0, the
// first repaint, is black and not counted); else prints
// the fewest differing pixels and the tick that had them, and exits 1.
// A match must tell the output's seed from every earlier output's and the
// next one's, the seeds a mix-up would give: early in a picture two windows
// can show the same rows (a border all of one green), and then it exits 1
// too, saying so.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <png.h>
#include <string>
#include <vector>

#include "render/dirty_surface.h"
#include "saver/monitor_seed.h"
#include "tools/simulated_window.h"

namespace {

using quorvana::COLORREF;

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // as the renderer's colours: r + 256 g + 65536 b
};

bool Load(const char* path, Screenshot& shot)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        std::fprintf(stderr, "tick_match: %s: %s\n", path, image.message);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        std::fprintf(stderr, "tick_match: %s: %s\n", path, image.message);
        return false;
    }
    shot.width = static_cast<int>(image.width);
    shot.height = static_cast<int>(image.height);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) shot.pixels.push_back(quorvana::MakeRgb(rgb[i], rgb[i + 1], rgb[i + 2]));
    return true;
}

// The pixel the window shows at (x, y) in the look.
COLORREF Shown(const quorvana::PixelStore& window, const quorvana::PictureLook& look, int x, int y)
{
    return look.theme.Shown(window.Row(look.SourceRow(y))[x]);
}

// Whether the window of these options shows the screenshot after TICKS ticks.
bool ShowsAfter(const quorvana::ExportOptions& options, long ticks, const Screenshot& shot)
{
    using namespace quorvana;
    Result<SimulatedWindow> made = SimulatedWindow::Create(options);
    if (!made) return false;
    SimulatedWindow& window = made.Value();
    DirtySurface first(window.pixels);
    FirstRepaint(window, options, first);
    for (long tick = 1; tick <= ticks; ++tick) {
        DirtySurface surface(window.pixels);
        window.renderer.DrawNextRow(surface);
    }
    const PictureLook look = options.Look();
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (Shown(window.pixels, look, x, y) != shot.pixels[static_cast<std::size_t>(y) * shot.width + x]) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace quorvana;
    Screenshot shot;
    Result<ExportOptions> parsed = ParseExportOptions(std::vector<std::string>(argv + std::min(argc, 5), argv + argc));
    if (argc < 5 || !parsed || !Load(argv[1], shot)) {
        std::fprintf(stderr, "usage: tick_match SCREENSHOT.png SEED OUTPUT PICTURES [--theme NAME] [--brightness B] [--full-rows]\n");
        return 2;
    }
    ExportOptions options = parsed.Value();
    const PictureLook look = options.Look();
    options.width = shot.width;
    options.height = shot.height;
    const auto saverSeed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
    const auto output = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
    options.seed = MonitorSeed(saverSeed, output);
    const int pictures = std::atoi(argv[4]);
    Result<SimulatedWindow> made = SimulatedWindow::Create(options);
    if (!made) {
        std::fprintf(stderr, "tick_match: %s\n", made.Error().Message().c_str());
        return 2;
    }
    SimulatedWindow& window = made.Value();
    std::vector<long> rowDiffers(shot.height);
    long differing = 0;
    const auto recount = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            long count = 0;
            for (int x = 0; x < shot.width; ++x)
                count += Shown(window.pixels, look, x, y) != shot.pixels[static_cast<std::size_t>(y) * shot.width + x];
            differing += count - rowDiffers[y];
            rowDiffers[y] = count;
        }
    };
    if (!std::freopen("/dev/null", "w", stdout)) return 2;  // the exporter's view lines are not wanted
    DirtySurface first(window.pixels);
    FirstRepaint(window, options, first);
    recount(0, shot.height);
    // Tick 0 is the first repaint, all black: a screen showing nothing matches it.
    long fewest = -1, fewestTick = 0;
    int picture = 1;
    for (long tick = 1; picture <= pictures; ++tick) {
        DirtySurface surface(window.pixels);
        if (window.renderer.DrawNextRow(surface) != TickOutcome::Row) ++picture;
        const Rect dirty = look.ShownArea(surface.TakeDirty(), shot.height);
        recount(dirty.top, dirty.bottom);
        if (fewest < 0 || differing < fewest) fewest = differing, fewestTick = tick;
        if (differing == 0) {
            for (std::uint32_t other = 0; other <= output + 1; ++other) {
                ExportOptions mixUp = options;
                mixUp.seed = MonitorSeed(saverSeed, other);
                if (other != output && ShowsAfter(mixUp, tick, shot)) {
                    std::fprintf(stderr, "tick %ld of picture %d, but output %u's seed shows the same: too early\n",
                                 tick, picture, other);
                    return 1;
                }
            }
            std::fprintf(stderr, "tick %ld of picture %d\n", tick, picture);
            return 0;
        }
    }
    std::fprintf(stderr, "no tick of %d pictures matches: fewest differing pixels %ld, after tick %ld\n", pictures,
                 fewest, fewestTick);
    return 1;
}
