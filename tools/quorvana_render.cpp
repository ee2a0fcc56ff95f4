// quorvana-render: the headless exporter. It simulates a Quorvana window of
// a given size from its first repaint on, one tick at a time, and writes the
// window after every tick that ends a picture; with --bench it times the
// pictures instead of writing them. See --help.
#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tools/atomic_file.h"
#include "tools/encoder_pool.h"
#include "tools/export_options.h"
#include "tools/progress.h"

namespace quorvana {
namespace {

// The line that tells which view the next picture shows.
std::string DescribeView(const JuliaRenderer& r, TickOutcome outcome, const std::string& label)
{
    char line[512];
    if (outcome == TickOutcome::Zoomed)
        std::snprintf(line, sizeof line, "%s: zoom into re %.17g .. %.17g, im %.17g .. %.17g\n", label.c_str(),
                      r.m_reMin, r.m_reMax, r.m_imMin, r.m_imMax);
    else
        std::snprintf(line, sizeof line, "%s: random view re %.17g .. %.17g, im %.17g .. %.17g, c = %.17g %+.17gi\n",
                      label.c_str(), r.m_reMin, r.m_reMax, r.m_imMin, r.m_imMax, r.m_cRe, r.m_cIm);
    return line;
}

void PrintView(const JuliaRenderer& r, TickOutcome outcome, const std::string& label)
{
    std::fputs(DescribeView(r, outcome, label).c_str(), stdout);
    std::fflush(stdout);
}

std::string PicturePath(const std::string& dir, int picture)
{
    char name[32];
    std::snprintf(name, sizeof name, "picture-%04d.png", picture);
    return dir + "/" + name;
}

const char* KernelName(const ExportOptions& options)
{
    return options.kernel == ExportOptions::Kernel::Plain ? "plain" : DispatchedEscapeKernel().name;
}

std::uint32_t SeedOf(const ExportOptions& options)
{
    return options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
}

// The simulated window's first repaint, on the kernel the options ask for.
void FirstRepaint(JuliaRenderer& renderer, PixelStore& window, const ExportOptions& options)
{
    if (options.kernel == ExportOptions::Kernel::Plain) renderer.UsePlainLoop();
    PrintView(renderer, renderer.RestartPicture(window), "first repaint");
}

// Renders the pictures as Export does, writing nothing, and reports the
// time of the ticks alone (the repaint, checksums and output excluded).
int Bench(const ExportOptions& options)
{
    const std::uint32_t seed = SeedOf(options);
    std::printf("seed %u, size %dx%d, kernel %s\n", seed, options.width, options.height, KernelName(options));

    PixelStore window(options.width, options.height);
    JuliaRenderer renderer(seed);
    FirstRepaint(renderer, window, options);

    using Clock = std::chrono::steady_clock;
    Clock::duration total{};
    const std::uint64_t iterationsBefore = renderer.IterationsDone();
    for (int picture = 1; picture <= options.pictures; ++picture) {
        const std::uint64_t iterationsAtStart = renderer.IterationsDone();
        const Clock::time_point start = Clock::now();
        TickOutcome outcome;
        do outcome = renderer.DrawNextRow(window);
        while (outcome == TickOutcome::Row);
        const Clock::duration took = Clock::now() - start;
        total += took;
        const double seconds = std::chrono::duration<double>(took).count();
        const std::uint64_t iterations = renderer.IterationsDone() - iterationsAtStart;
        std::printf("picture %d: %.3f ms, %" PRIu64 " loop steps, %.1f million steps/s, checksum %016" PRIx64 "\n",
                    picture, seconds * 1e3, iterations, iterations / seconds / 1e6, PictureChecksum(window));
        char label[32];
        std::snprintf(label, sizeof label, "picture %d", picture);
        PrintView(renderer, outcome, label);
    }
    const double seconds = std::chrono::duration<double>(total).count();
    const std::uint64_t iterations = renderer.IterationsDone() - iterationsBefore;
    std::printf("kernel %s: %d pictures in %.3f s, %.3f ms per picture, %.1f million loop steps/s\n",
                KernelName(options), options.pictures, seconds, seconds * 1e3 / options.pictures,
                iterations / seconds / 1e6);
    return 0;
}

// What the renderer's thread knows of a picture handed to the encoders.
struct PendingPicture {
    std::string path;
    std::string viewLine;
};

// Writes the oldest encoded picture and reports it; returns false after
// reporting an error.
bool WriteNext(EncoderPool& encoders, std::deque<PendingPicture>& pending, int& written, Progress& progress)
{
    EncodedPicture encoded = encoders.TakeNext();
    const PendingPicture picture = std::move(pending.front());
    pending.pop_front();
    std::string error = encoded.error.empty() ? WriteFileAtomically(picture.path, encoded.png)
                                              : "cannot write '" + picture.path + "': " + encoded.error;
    if (!error.empty()) {
        progress.Finish();
        std::fprintf(stderr, "quorvana-render: %s\n", error.c_str());
        return false;
    }
    progress.PictureDone(++written, picture.path.c_str());
    std::fputs(picture.viewLine.c_str(), stdout);
    std::fflush(stdout);
    return true;
}

// The renderer draws on this thread while the encoders compress the
// pictures before it; files are written here, in order, so the names, the
// messages and what is left after a failure are those of a plain loop.
int Export(const ExportOptions& options)
{
    const std::uint32_t seed = SeedOf(options);
    std::printf("seed %u, size %dx%d\n", seed, options.width, options.height);

    PixelStore window(options.width, options.height);
    JuliaRenderer renderer(seed);
    FirstRepaint(renderer, window, options);

    const int workers = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const std::size_t pictureBytes = static_cast<std::size_t>(options.width) * options.height * sizeof(COLORREF);
    EncoderPool encoders(workers, EncoderPool::HeldFor(workers, pictureBytes));
    std::deque<PendingPicture> pending;
    int written = 0;
    Progress progress(stderr, options.pictures);
    for (int picture = 1; picture <= options.pictures; ++picture) {
        TickOutcome outcome;
        do {
            outcome = renderer.DrawNextRow(window);
            progress.Row(picture, renderer.m_row, options.height);
        } while (outcome == TickOutcome::Row);
        if (encoders.Full() && !WriteNext(encoders, pending, written, progress)) return 1;
        const std::string path = PicturePath(options.outDir, picture);
        pending.push_back({path, DescribeView(renderer, outcome, path)});
        encoders.Submit(window);
        while (encoders.NextReady())
            if (!WriteNext(encoders, pending, written, progress)) return 1;
    }
    while (!encoders.Empty())
        if (!WriteNext(encoders, pending, written, progress)) return 1;
    progress.Finish();
    return 0;
}

}  // namespace
}  // namespace quorvana

int main(int argc, char** argv)
{
    using namespace quorvana;
    const ExportParseResult parsed = ParseExportOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "quorvana-render: %s\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(ExportUsage().c_str(), stdout);
        return 0;
    }
    if (parsed.options.bench) return Bench(parsed.options);
    if (const std::string error = PrepareOutputFolder(parsed.options.outDir); !error.empty()) {
        std::fprintf(stderr, "quorvana-render: %s\n", error.c_str());
        return 2;
    }
    return Export(parsed.options);
}
