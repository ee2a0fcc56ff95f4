// SPDX-License-Identifier: MIT
// The renderer soak: many windows at random sizes, each drawn by the plain
// loop and by one of the row kernels (each in turn) side by side through a
// few pictures; the two must agree to the bit at every picture end. Built in the fuzz preset,
// so the sanitizers watch every step.
//   render_soak [--pictures N] [--large K] [--seed S]
// N pictures at sizes from 1 × 1 to 64 × 64, then K pictures at sizes up to
// 4096 on a side (at most 2¹⁸ pixels, so that each stays a few seconds).
// Prints one line of figures; exit status 1 at the first disagreement.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"

using namespace quorvana;

namespace {

struct Figures {
    long long pictures = 0;
    long long pixels = 0;
    long long zooms = 0;
    long long windows = 0;
};

// One window from its first repaint through `pictures` pictures; false when
// the two renderers part.
bool Soak(int width, int height, std::uint32_t seed, int pictures, Figures& figures)
{
    static const std::vector<EscapeKernel> kernels = AvailableEscapeKernels();
    JuliaRenderer plain(seed), fast(seed);
    plain.UsePlainLoop();
    fast.UseRowKernel(kernels[static_cast<std::size_t>(figures.windows++) % kernels.size()]);
    PixelStore plainStore(width, height), fastStore(width, height);
    plain.RestartPicture(plainStore);
    fast.RestartPicture(fastStore);
    for (int done = 0; done < pictures;) {
        const TickOutcome outcome = plain.DrawNextRow(plainStore);
        if (fast.DrawNextRow(fastStore) != outcome) return false;
        if (outcome == TickOutcome::Row) continue;
        for (int y = 0; y < height; ++y)
            if (std::memcmp(plainStore.Row(y), fastStore.Row(y), sizeof(COLORREF) * width) != 0) return false;
        ++done;
        ++figures.pictures;
        figures.pixels += static_cast<long long>(width) * height;
        figures.zooms += outcome == TickOutcome::Zoomed;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    long long small = 100000, large = 300;
    std::uint32_t seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const long long value = std::atoll(argv[i + 1]);
        if (name == "--pictures") small = value;
        else if (name == "--large") large = value;
        else if (name == "--seed") seed = static_cast<std::uint32_t>(value);
    }
    CrtRandom random(seed);
    auto between = [&](int low, int high) { return low + (random.Next() << 15 | random.Next()) % (high - low + 1); };
    Figures figures;
    // Windows of a few pictures each, so that zoom chains and random views both come up.
    for (long long left = small; left > 0;) {
        const int width = between(1, 64), height = between(1, 64), pictures = static_cast<int>(std::min(left, 4LL));
        if (!Soak(width, height, random.Next(), pictures, figures)) {
            std::printf("render soak: the kernel and the plain loop part at %dx%d\n", width, height);
            return 1;
        }
        left -= pictures;
    }
    for (long long left = large; left > 0; --left) {
        int width = between(1, 4096), height = between(1, 4096);
        while (static_cast<long long>(width) * height > (1 << 18)) (random.Next() & 1 ? width : height) /= 2;
        if (!Soak(width, height, random.Next(), 1, figures)) {
            std::printf("render soak: the kernel and the plain loop part at %dx%d\n", width, height);
            return 1;
        }
    }
    std::string kernels;
    for (const EscapeKernel& kernel : AvailableEscapeKernels()) kernels += std::string(kernels.empty() ? "" : ", ") + kernel.name;
    std::printf("render soak: %lld pictures (%lld zooms) in %lld windows, %lld pixels; kernels %s agree with the plain loop\n",
                figures.pictures, figures.zooms, figures.windows, figures.pixels, kernels.c_str());
    return 0;
}
