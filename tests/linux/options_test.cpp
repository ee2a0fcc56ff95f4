// SPDX-License-Identifier: MIT
// The saver's command line as the saver wires it: where it draws, which
// option lands where, its own rules (window ids, $XSCREENSAVER_WINDOW, what
// excludes what), one line per option for a bad value. The parser's forms and
// the shared values' limits and words: tests/common/.
#include <gtest/gtest.h>

#include "linux/options.h"

namespace quorvana {
namespace {

// The options of a command line that must be good.
SaverOptions Good(const std::vector<std::string>& args, const char* environment = nullptr)
{
    Result<SaverOptions> options = ParseOptions(args, environment);
    EXPECT_TRUE(options.Ok()) << options.Error().Message();
    return options ? std::move(options).TakeValue() : SaverOptions();
}

// The line for a command line that must be bad: a usage failure, status 2.
std::string Bad(const std::vector<std::string>& args, const char* environment)
{
    const Result<SaverOptions> options = ParseOptions(args, environment);
    if (options) return "(no error)";
    EXPECT_EQ(options.Error().GetKind(), Failure::Kind::Usage);
    return options.Error().Message();
}

struct GoodCase {
    std::vector<std::string> args;
    const char* environment;  // $XSCREENSAVER_WINDOW, or null
    Target target;
    unsigned long windowId;
    int speed;
};

TEST(SaverOptions, WhereItDrawsAndHowFast)
{
    const GoodCase cases[] = {
        {{}, nullptr, Target::OwnWindow, 0, 100},
        {{}, "", Target::OwnWindow, 0, 100},
        {{"--fullscreen"}, nullptr, Target::FullScreen, 0, 100},
        {{"--root"}, nullptr, Target::RootWindow, 0, 100},
        {{"-root"}, nullptr, Target::RootWindow, 0, 100},
        {{"--window-id", "0x1a00003"}, nullptr, Target::GivenWindow, 0x1a00003, 100},
        {{"--window-id", "0X1A00003"}, nullptr, Target::GivenWindow, 0x1a00003, 100},
        {{"--window-id=27262979"}, nullptr, Target::GivenWindow, 27262979, 100},
        {{"-window-id", "4294967295"}, nullptr, Target::GivenWindow, 0xFFFFFFFFul, 100},
        // xscreensaver's window, unless the command line names one itself
        {{}, "0x200001", Target::GivenWindow, 0x200001, 100},
        {{}, "2097153", Target::GivenWindow, 0x200001, 100},
        {{"--root"}, "0x200001", Target::GivenWindow, 0x200001, 100},
        // xscreensaver-settings' preview: the list's command plus --window-id
        {{"--root", "--window-id", "0x5"}, "0x200001", Target::GivenWindow, 0x5, 100},
        {{"--window-id", "0x300001"}, "0x200001", Target::GivenWindow, 0x300001, 100},
        {{"--fullscreen"}, "0x200001", Target::FullScreen, 0, 100},
        {{"--speed", "0"}, nullptr, Target::OwnWindow, 0, 0},
        {{"-speed", "100"}, nullptr, Target::OwnWindow, 0, 100},
    };
    for (const GoodCase& c : cases) {
        std::string shown;
        for (const auto& a : c.args) shown += a + " ";
        SCOPED_TRACE(shown + "| env " + (c.environment ? c.environment : "unset"));
        const SaverOptions options = Good(c.args, c.environment);
        EXPECT_EQ(options.target, c.target);
        EXPECT_EQ(options.windowId, c.windowId);
        EXPECT_EQ(options.speed, c.speed);
    }
}

TEST(SaverOptions, SeedPicturesSharedMemoryHelpVersion)
{
    EXPECT_EQ(Good({}).seed, std::nullopt);
    EXPECT_EQ(Good({"--seed", "0"}).seed, 0u);
    EXPECT_EQ(Good({"--seed=4294967295"}).seed, 4294967295u);
    EXPECT_TRUE(Good({"--help"}).help);
    EXPECT_TRUE(Good({"-h"}).help);
    EXPECT_TRUE(Good({"--version"}).version);
    EXPECT_EQ(Good({"--pictures", "3"}).pictures, 3);
    EXPECT_EQ(Good({"-pictures=1000000"}).pictures, 1000000);
    EXPECT_EQ(Good({}).pictures, 0);
    EXPECT_TRUE(Good({}).sharedMemory);
    EXPECT_FALSE(Good({"--no-shm"}).sharedMemory);
    EXPECT_FALSE(Good({"-no-shm"}).sharedMemory);
}

TEST(SaverOptions, TheLook)
{
    const SaverOptions plain = Good({});
    EXPECT_EQ(plain.theme, ThemeName::Green);
    EXPECT_EQ(plain.brightness, 0);
    EXPECT_FALSE(plain.fullRows);
    EXPECT_FALSE(plain.zoom);
    EXPECT_TRUE(Good({"--zoom", "--fullscreen"}).zoom);
    const SaverOptions looked = Good({"--theme", "spectrum", "-brightness=100", "--full-rows", "--root"});
    EXPECT_EQ(looked.theme, ThemeName::Spectrum);
    EXPECT_EQ(looked.brightness, 100);
    EXPECT_TRUE(looked.fullRows);
    // xscreensaver's preview adds --window-id to the mode's command with its options.
    EXPECT_EQ(Good({"--theme=warm", "--window-id", "0x5"}).theme, ThemeName::Warm);
}

struct BadCase {
    std::vector<std::string> args;
    const char* environment;
    const char* error;
};

TEST(SaverOptions, BadArgumentsGiveOneLineNamingThem)
{
    const BadCase cases[] = {
        {{"--speed", "101"}, nullptr, "--speed: '101' is not a whole number from 0 to 100"},
        {{"--seed", "4294967296"}, nullptr, "--seed: '4294967296' is not a whole number from 0 to 4294967295"},
        {{"--window-id", "0"}, nullptr, "--window-id: '0' is not a window id (hex 0x… or decimal, not 0)"},
        {{"--window-id", "0x"}, nullptr, "--window-id: '0x' is not a window id (hex 0x… or decimal, not 0)"},
        {{"--window-id", "0x100000000"}, nullptr,
         "--window-id: '0x100000000' is not a window id (hex 0x… or decimal, not 0)"},
        {{"--window-id", "12ab"}, nullptr, "--window-id: '12ab' is not a window id (hex 0x… or decimal, not 0)"},
        {{"--window-id", "-5"}, nullptr, "--window-id: '-5' is not a window id (hex 0x… or decimal, not 0)"},
        {{"--window-id"}, nullptr, "--window-id: missing value"},
        {{"--root", "--fullscreen"}, nullptr, "--window-id, --root and --fullscreen exclude each other: give one of them"},
        {{"--root=yes"}, nullptr, "--root takes no value"},
        {{"--pictures", "0"}, nullptr, "--pictures: '0' is not a count from 1 to 1000000"},
        {{"--no-shm=1"}, nullptr, "--no-shm takes no value"},
        {{"--theme", "blue"}, nullptr, "--theme: 'blue' is not one of green, warm, cold, spectrum, grey"},
        {{"--theme"}, nullptr, "--theme: missing value"},
        {{"--brightness", "-1"}, nullptr, "--brightness: '-1' is not a whole number from 0 to 100"},
        {{"--full-rows=no"}, nullptr, "--full-rows takes no value"},
        {{"--zoom=yes"}, nullptr, "--zoom takes no value"},
        {{}, "window", "XSCREENSAVER_WINDOW: 'window' is not a window id"},
        {{"--root"}, "0", "XSCREENSAVER_WINDOW: '0' is not a window id"},
        // the environment's control characters shown escaped, so that the error stays one line
        {{}, "0x1\n", "XSCREENSAVER_WINDOW: '0x1\\n' is not a window id"},
    };
    for (const BadCase& c : cases) {
        std::string shown;
        for (const auto& a : c.args) shown += a + " ";
        SCOPED_TRACE(shown);
        EXPECT_EQ(Bad(c.args, c.environment), c.error);
    }
}

TEST(SaverOptions, BadEnvironmentDoesNotMatterWhenAWindowIsNamed)
{
    EXPECT_EQ(Good({"--window-id", "9"}, "junk").target, Target::GivenWindow);
    EXPECT_EQ(Good({"--fullscreen"}, "junk").target, Target::FullScreen);
}

}  // namespace
}  // namespace quorvana
