// quorvana-render: the headless exporter. It simulates a Quorvana window of
// a given size from its first repaint on, one tick at a time, and writes the
// window after every tick that ends a picture. See --help.
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tools/export_options.h"
#include "tools/png_writer.h"
#include "tools/progress.h"

namespace quorvana {
namespace {

void PrintView(const JuliaRenderer& r, TickOutcome outcome, const char* label)
{
    if (outcome == TickOutcome::Zoomed)
        std::printf("%s: zoom into re %.17g .. %.17g, im %.17g .. %.17g\n", label, r.m_reMin, r.m_reMax,
                    r.m_imMin, r.m_imMax);
    else
        std::printf("%s: random view re %.17g .. %.17g, im %.17g .. %.17g, c = %.17g %+.17gi\n", label,
                    r.m_reMin, r.m_reMax, r.m_imMin, r.m_imMax, r.m_cRe, r.m_cIm);
    std::fflush(stdout);
}

std::string PicturePath(const std::string& dir, int picture)
{
    char name[32];
    std::snprintf(name, sizeof name, "picture-%04d.png", picture);
    return dir + "/" + name;
}

int Export(const ExportOptions& options)
{
    const std::uint32_t seed = options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
    std::printf("seed %u, size %dx%d\n", seed, options.width, options.height);

    PixelStore window(options.width, options.height);
    JuliaRenderer renderer(seed);
    PrintView(renderer, renderer.RestartPicture(window), "first repaint");

    Progress progress(stderr, options.pictures);
    for (int picture = 1; picture <= options.pictures; ++picture) {
        TickOutcome outcome;
        do {
            outcome = renderer.DrawNextRow(window);
            progress.Row(picture, renderer.m_row, options.height);
        } while (outcome == TickOutcome::Row);
        const std::string path = PicturePath(options.outDir, picture);
        if (const std::string error = WritePng(window, path); !error.empty()) {
            progress.Finish();
            std::fprintf(stderr, "quorvana-render: %s\n", error.c_str());
            return 1;
        }
        progress.PictureDone(picture, path.c_str());
        PrintView(renderer, outcome, path.c_str());
    }
    progress.Finish();
    return 0;
}

}  // namespace
}  // namespace quorvana

int main(int argc, char** argv)
{
    using namespace quorvana;
    const ParseResult parsed = ParseExportOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "quorvana-render: %s\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(ExportUsage().c_str(), stdout);
        return 0;
    }
    if (const std::string error = PrepareOutputFolder(parsed.options.outDir); !error.empty()) {
        std::fprintf(stderr, "quorvana-render: %s\n", error.c_str());
        return 2;
    }
    return Export(parsed.options);
}
