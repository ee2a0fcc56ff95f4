// SPDX-License-Identifier: MIT
#include "tools/export_options.h"

#include "common/command_line.h"
#include "tools/formats/animation_writer.h"

#include <string_view>

namespace quorvana {

namespace {

struct Size {
    int width;
    int height;
};

Result<Size> ParseSize(std::string_view text)
{
    // Each side follows the rule of counts; the complaint names the whole size.
    const auto cross = text.find('x');
    if (cross != std::string_view::npos) {
        Result<int> width = ParseCount(text.substr(0, cross), kMaxSide);
        Result<int> height = ParseCount(text.substr(cross + 1), kMaxSide);
        if (width && height) return Size{width.Value(), height.Value()};
    }
    return Failure::Usage(IsNot(text, "WIDTHxHEIGHT with each side from 1 to " + std::to_string(kMaxSide)));
}

Result<ExportOptions::Kernel> ParseKernel(std::string_view text)
{
    if (text == "plain") return ExportOptions::Kernel::Plain;
    if (text == "auto") return ExportOptions::Kernel::Auto;
    return Failure::Usage(IsNot(text, "plain or auto"));
}

Result<std::string> ParseOutputFolder(std::string_view text)
{
    if (text.empty()) return Failure::Usage("the folder name is empty");
    return std::string(text);
}

Result<std::string> ParseAnimationFile(std::string_view text)
{
    const std::string file(text);
    std::string endings;
    for (const std::string& extension : AnimationExtensions()) {
        if (HasExtension(file, extension)) return file;
        endings += (endings.empty() ? "" : " or ") + extension;
    }
    return Failure::Usage(IsNot(text, "a file name ending in " + endings));
}

Result<ThemeName> ParseTheme(std::string_view text)
{
    if (const std::optional<ThemeName> theme = ThemeNamed(text)) return *theme;
    return Failure::Usage(IsNot(text, "one of " + ThemeChoices()));
}

Result<int> ParseBrightness(std::string_view text) { return ParseWholeNumber(text, 0, kMaxBrightness); }

Result<int> ParseTicksPerFrame(std::string_view text) { return ParseCount(text, kMaxTicksPerFrame); }

// Options that mean nothing together are refused rather than ignored.
Result<> CheckCombination(const ExportOptions& options)
{
    const bool looked = options.theme != ThemeName::Green || options.brightness != 0 || options.fullRows;
    if (options.bench && looked) return Failure::Usage("--theme, --brightness, --full-rows: not with --bench, which writes nothing");
    if (options.animation.empty()) {
        if (options.zoom) return Failure::Usage("--zoom: only with --animation, where the zoom can be watched");
        if (options.ticksPerFrame) return Failure::Usage("--ticks-per-frame: only with --animation");
        if (options.speed) return Failure::Usage("--speed: only with --animation");
        if (options.wallpaper && options.bench)
            return Failure::Usage("--wallpaper: not with --bench, which writes nothing");
        return {};
    }
    if (options.wallpaper)
        return Failure::Usage("--wallpaper: not with --animation, which records the saver as it draws");
    if (options.bench) return Failure::Usage("--animation: not with --bench, which writes nothing");
    if (options.outGiven) return Failure::Usage("--out: not with --animation, which writes FILE alone");
    return {};
}

}  // namespace

Result<ExportOptions> ParseExportOptions(const std::vector<std::string>& args)
{
    using Takes = CommandOption::Takes;
    ExportOptions options;
    Size size{options.width, options.height};
    const CommandOption table[] = {
        {"size", Takes::Value, Into(size, ParseSize)},
        {"seed", Takes::Value, Into(options.seed, ParseSeed)},
        {"pictures", Takes::Value, Into(options.pictures, ParsePictureCount)},
        {"out", Takes::Value,
         [&](std::string_view v) -> Result<> {
             options.outDir = TRY(ParseOutputFolder(v));
             options.outGiven = true;
             return {};
         }},
        {"kernel", Takes::Value, Into(options.kernel, ParseKernel)},
        {"bench", Takes::Nothing, SetFlag(options.bench)},
        {"wallpaper", Takes::Nothing, SetFlag(options.wallpaper)},
        {"animation", Takes::Value, Into(options.animation, ParseAnimationFile)},
        {"ticks-per-frame", Takes::Value, Into(options.ticksPerFrame, ParseTicksPerFrame)},
        {"speed", Takes::Value, Into(options.speed, ParseSpeed)},
        {"theme", Takes::Value, Into(options.theme, ParseTheme)},
        {"brightness", Takes::Value, Into(options.brightness, ParseBrightness)},
        {"full-rows", Takes::Nothing, SetFlag(options.fullRows)},
        {"zoom", Takes::Nothing, SetFlag(options.zoom)},
        {"help", Takes::Nothing, SetFlag(options.help)},
        {"h", Takes::Nothing, SetFlag(options.help)},
        {"version", Takes::Nothing, SetFlag(options.version)},
    };
    TRY(ParseCommandLine(args, table));
    options.width = size.width;
    options.height = size.height;
    if (!options.help) TRY(CheckCombination(options));
    return options;
}

std::string ExportUsage()
{
    return "Usage: quorvana-render [OPTION]...\n"
           "\n"
           "Simulates a Quorvana window of the given size from its first repaint on,\n"
           "one row per tick, and writes the window as a PNG (RGB, 8 bits per channel)\n"
           "after every tick that ends a picture, marker included:\n"
           "DIR/picture-0001.png ... DIR/picture-K.png. With --wallpaper it writes the\n"
           "same pictures whole instead (DIR/wallpaper-0001.png ...). With --animation it\n"
           "records the window instead, tick by tick, as an animated GIF (or WebP) of K\n"
           "pictures.\n"
           "\n"
           "  --size WxH      window size in pixels, each side 1 to 16384 (default 640x480)\n"
           "  --seed N        seed of the random views, 0 to 4294967295; the same seed\n"
           "                  gives the same pictures (default: the time, printed)\n"
           "  --pictures K    number of pictures to write, 1 to 1000000 (default 10)\n"
           "  --out DIR       output folder, created when its parent exists (default ./out)\n"
           "  --kernel K      how rows are computed: plain, the escape loop pixel by pixel,\n"
           "                  or auto, the fastest vector kernel of this processor\n"
           "                  (default); the pictures are identical\n"
           "  --wallpaper     write the saver's pictures whole, for a desktop background:\n"
           "                  the same views, but every row computed (the saver leaves\n"
           "                  every other row black) and no dotted marker; the files are\n"
           "                  DIR/wallpaper-0001.png ...\n"
           "  --bench         render the pictures without writing any file (--out is not\n"
           "                  used) and print the time per picture and the loop steps per\n"
           "                  second, with the XXH3 hash of each picture\n"
           "  --animation FILE.gif\n"
           "                  record the window as the saver shows it into FILE, a\n"
           "                  lossless animated GIF (or WebP: FILE.webp, where built with\n"
           "                  libwebp); each frame stores only what changed, and the\n"
           "                  last frame of each picture equals its PNG\n"
           "  --ticks-per-frame T\n"
           "                  ticks one frame of the recording holds, 1 to 1000 (default:\n"
           "                  as few as viewers show at their true pace, 2 at speed 100)\n"
           "  --speed N       the saver's speed the recording plays at, 0 to 100: one\n"
           "                  row every 500 - 5 x N ms, at least every 10 ms (default 100)\n"
           "  --theme NAME    the colours the pictures are shown in: green (the saver's\n"
           "                  own, default), warm, cold, spectrum or grey; the views are\n"
           "                  the same in every theme\n"
           "  --brightness B  lift the dark colours of the theme, 0 (as designed,\n"
           "                  default) to 100\n"
           "  --full-rows     show each drawn row on the black row below it as well\n"
           "                  (pictures and recordings; the views are the same)\n"
           "  --zoom          in a recording, when a picture ends with a zoom, show its\n"
           "                  framed region growing to fill the window over about a\n"
           "                  second, as the next picture's rows come down over it\n"
           "  --help          show this text\n"
           "  --version       show the version\n"
           "\n"
           "After each picture it prints the view the next one shows: the region it\n"
           "zooms into, or the random view and constant c chosen (\"DIR/picture-0001.png,\n"
           "then picture 2: zoom into ...\"). Progress goes to standard error.\n"
           "A run writes over its own files in DIR and leaves the rest; it names the\n"
           "pictures of an earlier, longer run that stay beside its own.\n"
           "Ctrl-C stops an export: pictures already written stay, and a recording\n"
           "not yet complete is removed.\n"
           "Exit status: 0 done, 1 a file could not be written, 2 bad arguments.\n";
}

}  // namespace quorvana
