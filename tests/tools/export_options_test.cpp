// SPDX-License-Identifier: MIT
// The exporter's command line: each option lands in its field, and its own
// values and combinations are refused with one line (the parser itself and
// the values both programs share: tests/common/).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tools/export_options.h"

namespace quorvana {
namespace {

// The options of a command line that must be good.
ExportOptions Good(const std::vector<std::string>& args)
{
    Result<ExportOptions> parsed = ParseExportOptions(args);
    EXPECT_TRUE(parsed.Ok()) << args.size() << " arguments: " << (parsed ? "" : parsed.Error().Message());
    return parsed ? parsed.Value() : ExportOptions();
}

// The one line of a command line that must be refused; empty when it is not.
std::string Refusal(const std::vector<std::string>& args)
{
    const Result<ExportOptions> parsed = ParseExportOptions(args);
    if (parsed) return {};
    EXPECT_EQ(parsed.Error().ExitStatus(), 2) << parsed.Error().Message();
    return parsed.Error().Message();
}

TEST(ExportOptions, DefaultsAndGoodForms)
{
    const ExportOptions defaults = Good({});
    EXPECT_EQ(defaults.width, 640);
    EXPECT_EQ(defaults.height, 480);
    EXPECT_FALSE(defaults.seed.has_value());
    EXPECT_EQ(defaults.pictures, 10);
    EXPECT_EQ(defaults.outDir, "out");
    EXPECT_FALSE(defaults.outGiven);

    const ExportOptions full = Good({"--size", "1x16384", "--seed=4294967295", "--pictures", "3", "--out=pics"});
    EXPECT_EQ(full.width, 1);
    EXPECT_EQ(full.height, 16384);
    EXPECT_EQ(full.seed, 4294967295u);
    EXPECT_EQ(full.pictures, 3);
    EXPECT_EQ(full.outDir, "pics");
    EXPECT_TRUE(full.outGiven);
    EXPECT_TRUE(Good({"--help"}).help);
    EXPECT_TRUE(Good({"-h"}).help);

    // the forms the saver takes too: one dash, and a switch and a kernel
    const ExportOptions dashes = Good({"-size", "4x3", "--bench", "-kernel=plain"});
    EXPECT_EQ(dashes.width, 4);
    EXPECT_EQ(dashes.height, 3);
    EXPECT_TRUE(dashes.bench);
    EXPECT_EQ(dashes.kernel, ExportOptions::Kernel::Plain);
    EXPECT_EQ(Good({}).kernel, ExportOptions::Kernel::Auto);

    const ExportOptions recording = Good({"--animation", "Show.GIF", "--ticks-per-frame", "1000", "--speed", "0"});
    EXPECT_EQ(recording.animation, "Show.GIF");
    EXPECT_EQ(recording.ticksPerFrame, 1000);
    EXPECT_EQ(recording.speed, 0);
    EXPECT_TRUE(Good({"--speed", "5", "--help"}).help);
    EXPECT_EQ(Good({"--animation", "x.WebP"}).animation, "x.WebP");
    EXPECT_TRUE(Good({"--version", "--pictures", "5"}).version);
    EXPECT_TRUE(Good({"--wallpaper", "--pictures", "2"}).wallpaper);

    const ExportOptions looked = Good({"--theme", "grey", "--brightness=100", "--full-rows"});
    EXPECT_EQ(looked.theme, ThemeName::Grey);
    EXPECT_EQ(looked.brightness, 100);
    EXPECT_TRUE(looked.fullRows && looked.Look().fullRows);
    EXPECT_TRUE(Good({}).Look().ShowsStoreAsItIs());
    // A wallpaper is drawn whole: full rows change nothing there.
    EXPECT_FALSE(Good({"--wallpaper", "--full-rows"}).Look().fullRows);
    EXPECT_EQ(Good({"--animation", "a.gif", "--theme", "cold", "--full-rows"}).theme, ThemeName::Cold);
    EXPECT_TRUE(Good({"--animation", "a.gif", "--zoom"}).zoom);
}

// Each option wired to its own handler: one line per option, word for word
// (the parser's forms and the shared values' limits: tests/common/).
TEST(ExportOptions, EachOptionWiredToItsHandler)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--seed", "4294967296"}, "--seed: '4294967296' is not a whole number from 0 to 4294967295"},
        {{"--pictures", "1000001"}, "--pictures: '1000001' is not a count from 1 to 1000000"},
        {{"--size", "0x480"}, "--size: '0x480' is not WIDTHxHEIGHT with each side from 1 to 16384"},
        {{"--kernel", "fast"}, "--kernel: 'fast' is not plain or auto"},
        {{"--out="}, "--out: the folder name is empty"},
        {{"--bench=yes"}, "--bench takes no value"},
        {{"--pictures"}, "--pictures: missing value"},
        {{"--animation", "a.png"}, "--animation: 'a.png' is not a file name ending in .gif or .webp"},
        {{"--animation", ".gif"}, "--animation: '.gif' is not a file name ending in .gif or .webp"},
        {{"--animation", "a.gif", "--ticks-per-frame", "0"},
         "--ticks-per-frame: '0' is not a count from 1 to 1000"},
        {{"--animation", "a.gif", "--speed", "101"}, "--speed: '101' is not a whole number from 0 to 100"},
        {{"--animation", "a.gif", "--bench"}, "--animation: not with --bench, which writes nothing"},
        {{"--out", "o", "--animation", "a.gif"}, "--out: not with --animation, which writes FILE alone"},
        {{"--speed", "50"}, "--speed: only with --animation"},
        {{"--ticks-per-frame", "3"}, "--ticks-per-frame: only with --animation"},
        {{"--wallpaper", "--bench"}, "--wallpaper: not with --bench, which writes nothing"},
        {{"--wallpaper", "--animation", "a.gif"}, "--wallpaper: not with --animation, which records the saver as it draws"},
        {{"--theme", "Green"}, "--theme: 'Green' is not one of green, warm, cold, spectrum, grey"},
        {{"--brightness", "101"}, "--brightness: '101' is not a whole number from 0 to 100"},
        {{"--full-rows=1"}, "--full-rows takes no value"},
        {{"--zoom"}, "--zoom: only with --animation, where the zoom can be watched"},
        {{"--bench", "--theme", "warm"}, "--theme, --brightness, --full-rows: not with --bench, which writes nothing"},
    };
    for (const auto& [args, error] : cases) EXPECT_EQ(Refusal(args), error) << args[0];
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
        {{"--out", ""}, "--out"},               {{"--size"}, "--size"},
    };
    for (const BadCase& c : cases) {
        const std::string refusal = Refusal(c.args);
        ASSERT_FALSE(refusal.empty()) << c.args[0];
        EXPECT_NE(refusal.find(c.named), std::string::npos) << c.args[0] << ": " << refusal;
        EXPECT_EQ(refusal.find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace quorvana
