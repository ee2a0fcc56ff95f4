// SPDX-License-Identifier: MIT
// The shared option parser on a table of its own: the forms an option is
// written in, which word is taken as a value, and the one line for each
// bad argument, always a usage failure (status 2).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/command_line.h"
#include "common/option_values.h"

namespace quorvana {
namespace {

// What a command line of the test's table left behind.
struct Parsed {
    bool on = false;
    int speed = -1;
    std::string name = "unset";
    std::string error;  // empty when the line was good
};

Parsed Parse(const std::vector<std::string>& args)
{
    using Takes = CommandOption::Takes;
    Parsed parsed;
    const CommandOption table[] = {
        {"on", Takes::Nothing, SetFlag(parsed.on)},
        {"speed", Takes::Value, Into(parsed.speed, ParseSpeed)},
        {"name", Takes::Value,
         [&](std::string_view v) -> Result<> {
             if (v == "refused") return Failure::Usage("'refused' is refused");
             parsed.name = v;
             return {};
         }},
    };
    const Result<> result = ParseCommandLine(args, table);
    if (!result) {
        EXPECT_EQ(result.Error().ExitStatus(), 2) << result.Error().Message();
        parsed.error = result.Error().Message();
    }
    return parsed;
}

TEST(CommandLine, FormsOfAnOption)
{
    const struct {
        std::vector<std::string> args;
        bool on;
        int speed;
        const char* name;
    } cases[] = {
        {{}, false, -1, "unset"},
        {{"--on"}, true, -1, "unset"},
        {{"-on"}, true, -1, "unset"},
        {{"--speed", "7"}, false, 7, "unset"},
        {{"-speed", "7"}, false, 7, "unset"},
        {{"--speed=7"}, false, 7, "unset"},
        {{"-speed=100", "--on"}, true, 100, "unset"},
        {{"--speed", "3", "--speed", "4"}, false, 4, "unset"},  // the last one wins
        {{"--name=-odd"}, false, -1, "-odd"},                   // after '=' anything is the value
        {{"-name=--on"}, false, -1, "--on"},
        {{"--name", "-"}, false, -1, "-"},                      // a lone dash is a value
        {{"--name="}, false, -1, ""},
        {{"--name", "a=b"}, false, -1, "a=b"},
    };
    for (const auto& c : cases) {
        const Parsed parsed = Parse(c.args);
        EXPECT_EQ(parsed.error, "") << testing::PrintToString(c.args);
        EXPECT_EQ(parsed.on, c.on) << testing::PrintToString(c.args);
        EXPECT_EQ(parsed.speed, c.speed) << testing::PrintToString(c.args);
        EXPECT_EQ(parsed.name, c.name) << testing::PrintToString(c.args);
    }
}

TEST(CommandLine, OneLineNamingTheFirstBadArgument)
{
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"word"}, "unexpected argument 'word' (see --help)"},
        {{"-"}, "unexpected argument '-' (see --help)"},
        {{"--on", "640x480"}, "unexpected argument '640x480' (see --help)"},
        {{"--frobnicate"}, "unknown option '--frobnicate' (see --help)"},
        {{"--frobnicate=3"}, "unknown option '--frobnicate=3' (see --help)"},
        {{"--on=yes"}, "--on takes no value"},
        {{"--speed"}, "--speed: missing value"},
        // a value missing before another option, not a value called "--on"
        {{"--name", "--on"}, "--name: missing value"},
        {{"--name", "--speed=5"}, "--name: missing value"},
        {{"--name", "-on"}, "--name: missing value"},
        {{"--name", "-odd"},
         "--name: missing value ('-odd' looks like an option; a value that starts with a dash is written --name=-odd)"},
        // a dash and a digit is a value, refused by its own handler
        {{"--speed", "-1"}, "--speed: '-1' is not a whole number from 0 to 100"},
        {{"--name", "refused"}, "--name: 'refused' is refused"},
        {{"--speed", "101", "--frobnicate"}, "--speed: '101' is not a whole number from 0 to 100"},
        // control characters shown, so that the line stays one line
        {{"x\ty\x1b[2J"}, "unexpected argument 'x\\ty\\x1b[2J' (see --help)"},
        {{"--speed", "1\r\n2"}, "--speed: '1\\r\\n2' is not a whole number from 0 to 100"},
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.args).error, c.error) << testing::PrintToString(c.args);
}

TEST(CommandLine, RefusedValueLeavesTheSlotAlone)
{
    const Parsed parsed = Parse({"--speed", "50", "--speed", "500"});
    EXPECT_EQ(parsed.speed, 50);
    EXPECT_FALSE(parsed.error.empty());
}

}  // namespace
}  // namespace quorvana
