// SPDX-License-Identifier: MIT
// The exporter's command line: quorvana-render --size WxH --seed N
// --pictures K --out DIR --kernel plain|auto --wallpaper --bench
// --animation FILE --ticks-per-frame T --speed N --theme NAME --brightness B
// --full-rows --zoom --help --version. The
// options are rows of the table in export_options.cpp, parsed by the shared
// parser (common/command_line.h, which says how to add one). Parsing looks
// at the arguments alone and names the bad one in one line; the output
// folder and the recording's file are checked on disk afterwards
// (output_checks.h), before anything is written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/option_values.h"
#include "render/picture_look.h"
#include "render/theme.h"

namespace quorvana {

struct ExportOptions {
    int width = 640;
    int height = 480;
    std::optional<std::uint32_t> seed;  // none: taken from the time
    int pictures = 10;
    std::string outDir = "out";
    // Rows by the plain loop, pixel by pixel, or by the fastest row kernel;
    // the pictures are the same either way.
    enum class Kernel { Plain, Auto } kernel = Kernel::Auto;
    bool bench = false;  // time the pictures, write no file
    // Write each picture of the saver's chain of views whole, every row
    // computed and no marker, instead of as the saver shows it.
    bool wallpaper = false;
    bool help = false;
    bool version = false;
    bool outGiven = false;  // --out was on the command line
    // --animation FILE records the window tick by tick into FILE, a GIF
    // or, where built with libwebp, a WebP, instead of writing pictures;
    // empty when not asked for.
    std::string animation;
    std::optional<int> ticksPerFrame;  // none: the recording's own choice
    std::optional<int> speed;          // the saver's speed setting the recording plays at
    // How the pictures look (render/picture_look.h); the views are the same.
    ThemeName theme = ThemeName::Green;
    int brightness = 0;
    bool fullRows = false;
    bool zoom = false;  // recordings: show each zoom (render/shown_picture.h)

    // The look the written pictures are shown in; a wallpaper has every row
    // drawn already, so full rows mean nothing to it.
    PictureLook Look() const { return {MakeTheme(theme, brightness), fullRows && !wallpaper}; }
};

// The program's name, which begins each line it reports on standard error.
inline constexpr const char* kExporterName = "quorvana-render";

inline constexpr int kMaxTicksPerFrame = 1000;

// The options, or a usage Failure naming the first bad argument.
Result<ExportOptions> ParseExportOptions(const std::vector<std::string>& args);
std::string ExportUsage();

}  // namespace quorvana
