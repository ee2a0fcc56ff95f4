// SPDX-License-Identifier: MIT
// The exporter's command line: good forms, and one clear line for each bad one.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tools/export_options.h"

namespace quorvana {
namespace {

TEST(ExportOptions, DefaultsAndGoodForms)
{
    const ExportParseResult defaults = ParseExportOptions({});
    EXPECT_EQ(defaults.error, std::nullopt);
    EXPECT_EQ(defaults.options.width, 640);
    EXPECT_EQ(defaults.options.height, 480);
    EXPECT_FALSE(defaults.options.seed.has_value());
    EXPECT_EQ(defaults.options.pictures, 10);
    EXPECT_EQ(defaults.options.outDir, "out");

    const ExportParseResult full = ParseExportOptions(
        {"--size", "1x16384", "--seed=4294967295", "--pictures", "3", "--out=pics"});
    EXPECT_EQ(full.error, std::nullopt);
    EXPECT_EQ(full.options.width, 1);
    EXPECT_EQ(full.options.height, 16384);
    EXPECT_EQ(full.options.seed, 4294967295u);
    EXPECT_EQ(full.options.pictures, 3);
    EXPECT_EQ(full.options.outDir, "pics");
    EXPECT_TRUE(ParseExportOptions({"--help"}).options.help);
    EXPECT_TRUE(ParseExportOptions({"-h"}).options.help);

    // the forms the saver takes too: one dash, and a switch and a kernel
    const ExportParseResult dashes = ParseExportOptions({"-size", "4x3", "--bench", "-kernel=plain"});
    EXPECT_EQ(dashes.error, std::nullopt);
    EXPECT_EQ(dashes.options.width, 4);
    EXPECT_EQ(dashes.options.height, 3);
    EXPECT_TRUE(dashes.options.bench);
    EXPECT_EQ(dashes.options.kernel, ExportOptions::Kernel::Plain);
    EXPECT_EQ(ParseExportOptions({}).options.kernel, ExportOptions::Kernel::Auto);

    const ExportParseResult recording =
        ParseExportOptions({"--animation", "Show.GIF", "--ticks-per-frame", "1000", "--speed", "0"});
    EXPECT_EQ(recording.error, std::nullopt);
    EXPECT_EQ(recording.options.animation, "Show.GIF");
    EXPECT_EQ(recording.options.ticksPerFrame, 1000);
    EXPECT_EQ(recording.options.speed, 0);
    EXPECT_EQ(ParseExportOptions({"--speed", "5", "--help"}).error, std::nullopt);
    EXPECT_EQ(ParseExportOptions({"--animation", "x.WebP"}).options.animation, "x.WebP");
    // --name=value takes any value, and "-" alone is one
    const std::pair<std::vector<std::string>, const char*> taken[] = {
        {{"--out=-odd"}, "-odd"}, {{"--out", "-"}, "-"}, {{"-out=--bench"}, "--bench"}};
    for (const auto& [args, folder] : taken) EXPECT_EQ(ParseExportOptions(args).options.outDir, folder) << args[0];
    const ExportParseResult version = ParseExportOptions({"--version", "--pictures", "5"});
    EXPECT_TRUE(!version.error && version.options.version);
    EXPECT_TRUE(ParseExportOptions({"--wallpaper", "--pictures", "2"}).options.wallpaper);
}

// The lines shared with the saver's parser, word for word.
TEST(ExportOptions, MessagesAsTheSaverGivesThem)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--seed", "4294967296"}, "--seed: '4294967296' is not a whole number from 0 to 4294967295"},
        {{"--pictures", "1000001"}, "--pictures: '1000001' is not a count from 1 to 1000000"},
        {{"--size", "0x480"}, "--size: '0x480' is not WIDTHxHEIGHT with each side from 1 to 16384"},
        {{"--kernel", "fast"}, "--kernel: 'fast' is not plain or auto"},
        {{"--out="}, "--out: the folder name is empty"},
        {{"--bench=yes"}, "--bench takes no value"},
        {{"--pictures"}, "--pictures: missing value"},
        {{"--frobnicate"}, "unknown option '--frobnicate' (see --help)"},
        {{"640x480"}, "unexpected argument '640x480' (see --help)"},
        {{"--animation", "a.png"}, "--animation: 'a.png' is not a file name ending in .gif or .webp"},
        {{"--animation", ".gif"}, "--animation: '.gif' is not a file name ending in .gif or .webp"},
        {{"--animation", "a.gif", "--ticks-per-frame", "0"},
         "--ticks-per-frame: '0' is not a count from 1 to 1000"},
        {{"--animation", "a.gif", "--speed", "101"}, "--speed: '101' is not a whole number from 0 to 100"},
        {{"--animation", "a.gif", "--bench"}, "--animation: not with --bench, which writes nothing"},
        {{"--out", "o", "--animation", "a.gif"}, "--out: not with --animation, which writes FILE alone"},
        {{"--speed", "50"}, "--speed: only with --animation"},
        {{"--ticks-per-frame", "3"}, "--ticks-per-frame: only with --animation"},
        // the exporter's own: a value missing before another option (no folder "--bench"), numbers' own line
        {{"--out", "--bench"}, "--out: missing value"},
        {{"--out", "--pictures", "1"}, "--out: missing value"},
        {{"--size", "--pictures", "1"}, "--size: missing value"},
        {{"--seed", "-h"}, "--seed: missing value"},
        {{"--animation", "--speed=5"}, "--animation: missing value"},
        {{"--out", "-odd"},
         "--out: missing value ('-odd' looks like an option; a value that starts with a dash is written --out=-odd)"},
        {{"--seed", "-1"}, "--seed: '-1' is not a whole number from 0 to 4294967295"},
        {{"--wallpaper", "--bench"}, "--wallpaper: not with --bench, which writes nothing"},
        {{"--wallpaper", "--animation", "a.gif"}, "--wallpaper: not with --animation, which records the saver as it draws"},
    };
    for (const auto& [args, error] : cases) EXPECT_EQ(ParseExportOptions(args).error, error) << args[0];
}

struct BadCase {
    std::vector<std::string> args;
    std::string named;  // the argument the error line must name
};

TEST(ExportOptions, BadInputNamesTheArgument)
{
    const std::vector<BadCase> cases = {
        {{"--size", "0x480"}, "--size"},        {{"--size", "-5x480"}, "--size"},
        {{"--size", "16385x10"}, "--size"},     {{"--size", "640"}, "--size"},
        {{"--size", "640x480x2"}, "--size"},    {{"--size", "640 x480"}, "--size"},
        {{"--size", "x"}, "--size"},            {{"--size", "99999999999x1"}, "--size"},
        {{"--seed", "-1"}, "--seed"},           {{"--seed", "4294967296"}, "--seed"},
        {{"--seed", "12ab"}, "--seed"},         {{"--pictures", "0"}, "--pictures"},
        {{"--pictures", "+3"}, "--pictures"},   {{"--out", ""}, "--out"},
        {{"--size"}, "--size"},                 {{"--frobnicate"}, "--frobnicate"},
        {{"640x480"}, "640x480"},
    };
    for (const BadCase& c : cases) {
        const ExportParseResult result = ParseExportOptions(c.args);
        ASSERT_TRUE(result.error) << c.args[0];
        EXPECT_NE(result.error->find(c.named), std::string::npos) << c.args[0] << ": " << *result.error;
        EXPECT_EQ(result.error->find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace quorvana
