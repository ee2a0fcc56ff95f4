// SPDX-License-Identifier: MIT
// The exporter's command line: quorvana-render --size WxH --seed N
// --pictures K --out DIR --kernel plain|auto --wallpaper --bench. The options are rows
// of the table in export_options.cpp, parsed by the shared parser
// (common/command_line.h, which says how to add one). Parsing checks
// everything before anything is written, and names the bad argument in
// one line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/option_values.h"

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
    // --animation FILE.gif records the window tick by tick into FILE
    // instead of writing pictures; empty when not asked for.
    std::string animation;
    std::optional<int> ticksPerFrame;  // none: the recording's own choice
    std::optional<int> speed;          // the saver's speed setting the recording plays at
};

struct ExportParseResult {
    ExportOptions options;
    std::string error;  // empty when the command line is good
};

inline constexpr int kMaxSide = 16384;
inline constexpr int kMaxTicksPerFrame = 1000;

ExportParseResult ParseExportOptions(const std::vector<std::string>& args);
std::string ExportUsage();

// The recording's folder must exist and FILE must not be a folder; returns
// an error line, or empty on success.
std::string CheckAnimationFile(const std::string& file);

// Creates the folder when its parent exists and checks that a file can be
// made in it; returns an error line, or empty on success.
std::string PrepareOutputFolder(const std::string& dir);

}  // namespace quorvana
