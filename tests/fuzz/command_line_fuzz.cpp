// SPDX-License-Identifier: MIT
// Both programs' command lines from arbitrary bytes: the first byte picks
// the program (and, for the saver, whether $XSCREENSAVER_WINDOW is set to
// the first argument); the rest, split at zero bytes, is the argument vector.
// A good command line must give values within their documented ranges; a
// bad one exactly one non-empty line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "tools/export_options.h"
#include "linux/options.h"

using namespace quorvana;

namespace {

void CheckError(const std::string& error)
{
    FUZZ_CHECK(!error.empty(), "an error is not empty");
    for (const char ch : error) FUZZ_CHECK(ch != '\n' && ch != '\r', "an error is one line");
}

void CheckExporter(const std::vector<std::string>& args)
{
    const ExportParseResult parsed = ParseExportOptions(args);
    if (parsed.error) return CheckError(*parsed.error);
    const ExportOptions& o = parsed.options;
    FUZZ_CHECK(o.width >= 1 && o.width <= kMaxSide && o.height >= 1 && o.height <= kMaxSide, "size within 1 … 16384");
    FUZZ_CHECK(o.pictures >= 1 && o.pictures <= kMaxPictures, "picture count within 1 … 1000000");
    FUZZ_CHECK(!o.outDir.empty(), "an output folder is named");
    FUZZ_CHECK(!o.ticksPerFrame || (*o.ticksPerFrame >= 1 && *o.ticksPerFrame <= kMaxTicksPerFrame),
               "ticks per frame within 1 … 1000");
    FUZZ_CHECK(!o.speed || (*o.speed >= 0 && *o.speed <= kMaxSpeed), "speed within 0 … 100");
    FUZZ_CHECK(o.help || o.animation.empty() || !o.bench, "a recording is not a benchmark");
    FUZZ_CHECK(o.help || !o.wallpaper || (o.animation.empty() && !o.bench), "a wallpaper is drawn, not recorded or timed");
}

void CheckSaver(const std::vector<std::string>& args, const char* environment)
{
    const Result<SaverOptions> parsed = ParseOptions(args, environment);
    if (!parsed) return CheckError(parsed.Error().Message());
    const SaverOptions& o = parsed.Value();
    FUZZ_CHECK(o.speed >= 0 && o.speed <= kMaxSpeed, "speed within 0 … 100");
    FUZZ_CHECK(o.pictures >= 0 && o.pictures <= kMaxPictures, "picture count within 0 … 1000000");
    FUZZ_CHECK(!(o.registerMode && o.unregisterMode), "register and unregister exclude each other");
    if (o.target == Target::GivenWindow) FUZZ_CHECK(o.windowId >= 1 && o.windowId <= 0xFFFFFFFFul, "a window id fits 32 bits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::ChoiceAndText(data, size, [](std::uint8_t mode, std::string_view text) {
        std::vector<std::string> args;
        if (!text.empty()) args.emplace_back();
        for (const char c : text) {
            if (c == 0)
                args.emplace_back();
            else
                args.back().push_back(c);
        }
        if ((mode & 1) == 0) return CheckExporter(args);
        // $XSCREENSAVER_WINDOW, when set: the first piece; the command line: the others.
        const std::string environment = mode & 2 && !args.empty() ? args.front() : "";
        if (mode & 2 && !args.empty()) args.erase(args.begin());
        CheckSaver(args, mode & 2 ? environment.c_str() : nullptr);
    });
}
