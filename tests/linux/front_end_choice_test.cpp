// SPDX-License-Identifier: MIT
// Which front end draws, from the command line and the environment: a table
// of arguments, $XSCREENSAVER_WINDOW and $WAYLAND_DISPLAY against the plan,
// or the usage failure that --wayland or --x11 in the wrong place gives.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "linux/front_end_choice.h"
#include "linux/options.h"

namespace quorvana {
namespace {

TEST(FrontEndChoice, GivenWindowsAreX11SurfacesFollowTheCompositorOrTheOption)
{
    using Plan = FrontEndPlan;
    const struct {
        std::vector<std::string> args;
        const char* xscreensaverWindow;
        bool wayland;  // $WAYLAND_DISPLAY set
        std::optional<Plan> plan;  // none: a usage failure
    } cases[] = {
        // Full screen and the live wallpaper: Wayland where it is there.
        {{"--fullscreen"}, nullptr, true, Plan::WaylandOrX11},
        {{"--root"}, nullptr, true, Plan::WaylandOrX11},
        {{"--fullscreen"}, nullptr, false, Plan::X11},
        {{"--root"}, nullptr, false, Plan::X11},
        {{"--fullscreen", "--x11"}, nullptr, true, Plan::X11},
        {{"-root", "-x11"}, nullptr, true, Plan::X11},
        {{"--fullscreen", "--wayland"}, nullptr, false, Plan::WaylandOnly},
        {{"--wayland", "--root"}, nullptr, true, Plan::WaylandOnly},
        // --fullscreen wins over xscreensaver's window, as on X11 alone.
        {{"--fullscreen"}, "0x400007", true, Plan::WaylandOrX11},
        // A window of its own stays an X window.
        {{}, nullptr, true, Plan::X11},
        {{"--x11"}, nullptr, true, Plan::X11},
        // A given window is always drawn with X11, whatever else is set.
        {{"--window-id", "0x400007"}, nullptr, true, Plan::X11},
        {{"--root"}, "0x400007", true, Plan::X11},
        {{}, "0x400007", true, Plan::X11},
        {{"--window-id", "0x400007", "--x11"}, nullptr, true, Plan::X11},
        // What cannot be done is refused, not quietly changed.
        {{"--window-id", "0x400007", "--wayland"}, nullptr, true, std::nullopt},
        {{"--wayland"}, "0x400007", true, std::nullopt},
        {{"--wayland"}, nullptr, true, std::nullopt},
        {{"--fullscreen", "--wayland", "--x11"}, nullptr, true, std::nullopt},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const auto& a : c.args) line += a + " ";
        const Result<SaverOptions> options = ParseOptions(c.args, c.xscreensaverWindow);
        if (!c.plan) {
            ASSERT_FALSE(options.Ok()) << line;
            EXPECT_EQ(options.Error().ExitStatus(), Failure::kUsageStatus) << line;
            continue;
        }
        ASSERT_TRUE(options.Ok()) << line << ": " << options.Error().Message();
        EXPECT_EQ(PlanFrontEnd(options.Value(), c.wayland), *c.plan) << line << (c.wayland ? "(Wayland)" : "");
    }
}

TEST(FrontEndChoice, TheRefusalsNameWhatToDoInstead)
{
    const struct {
        std::vector<std::string> args;
        const char* xscreensaverWindow;
        const char* says;
    } cases[] = {
        {{"--window-id", "7", "--wayland"}, nullptr, "cannot draw on a given X window"},
        {{"--wayland"}, "7", "$XSCREENSAVER_WINDOW"},
        {{"--wayland"}, nullptr, "--wayland goes only with --fullscreen or --root"},
        {{"--x11", "--wayland", "--root"}, nullptr, "--wayland and --x11 exclude each other"},
    };
    for (const auto& c : cases) {
        const Result<SaverOptions> options = ParseOptions(c.args, c.xscreensaverWindow);
        ASSERT_FALSE(options.Ok());
        EXPECT_NE(options.Error().Message().find(c.says), std::string::npos) << options.Error().Message();
    }
}

}  // namespace
}  // namespace quorvana
