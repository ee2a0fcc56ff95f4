// The exporter's command line: good forms, and one clear line for each bad one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/export_options.h"

namespace quorvana {
namespace {

TEST(ExportOptions, DefaultsAndGoodForms)
{
    const ParseResult defaults = ParseExportOptions({});
    EXPECT_EQ(defaults.error, "");
    EXPECT_EQ(defaults.options.width, 640);
    EXPECT_EQ(defaults.options.height, 480);
    EXPECT_FALSE(defaults.options.seed.has_value());
    EXPECT_EQ(defaults.options.pictures, 10);
    EXPECT_EQ(defaults.options.outDir, "out");

    const ParseResult full = ParseExportOptions(
        {"--size", "1x16384", "--seed=4294967295", "--pictures", "3", "--out=pics"});
    EXPECT_EQ(full.error, "");
    EXPECT_EQ(full.options.width, 1);
    EXPECT_EQ(full.options.height, 16384);
    EXPECT_EQ(full.options.seed, 4294967295u);
    EXPECT_EQ(full.options.pictures, 3);
    EXPECT_EQ(full.options.outDir, "pics");
    EXPECT_TRUE(ParseExportOptions({"--help"}).options.help);
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
        const ParseResult result = ParseExportOptions(c.args);
        EXPECT_NE(result.error.find(c.named), std::string::npos) << c.args[0] << ": " << result.error;
        EXPECT_EQ(result.error.find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace quorvana
