// SPDX-License-Identifier: MIT
// The command line of quorvana, the X11 saver, and where it draws:
//   --window-id ID | --root | --fullscreen | (nothing: a window of its own)
//   --speed N, --seed N, --pictures K, --no-shm, --help, --version;
//   or --register / --unregister [--as-root] (xscreensaver/registration.h) instead of drawing.
// The options are rows of the table in options.cpp, parsed by the shared
// parser (common/command_line.h, which says how to add one); so every option
// is also accepted with a single dash and as --name=value, as xscreensaver
// display modes are. ParseOptions is pure: the caller hands in
// $XSCREENSAVER_WINDOW, and gets either the options or one line naming the
// bad argument and what is allowed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "common/option_values.h"

namespace quorvana {

enum class Target {
    OwnWindow,    // a resizable top-level window of 800 × 600
    FullScreen,   // an own window over the whole screen, closed by user input
    RootWindow,   // the root window of the default screen
    GivenWindow,  // a window that another program made (--window-id or xscreensaver)
};

struct SaverOptions {
    Target target = Target::OwnWindow;
    unsigned long windowId = 0;          // for Target::GivenWindow
    int speed = kDefaultSpeed;           // 0 … kMaxSpeed
    std::optional<std::uint32_t> seed;   // none: taken from the time
    int pictures = 0;                    // end after this many finished pictures; 0: run until stopped
    bool sharedMemory = true;            // MIT-SHM when the server offers it; --no-shm: never
    bool help = false;
    bool version = false;
    bool registerMode = false;    // add Quorvana to ~/.xscreensaver instead of drawing
    bool unregisterMode = false;  // take it out again
    bool asRoot = false;          // let root register in its own ~/.xscreensaver
};

// Fills options from the arguments (without the program's name), or says
// what is wrong with the first bad one. xscreensaverWindow: the value of
// $XSCREENSAVER_WINDOW, or null when unset. It names the window to draw on
// unless --window-id or --fullscreen is given; it also stands in for the
// root window under --root, since xscreensaver draws its savers on a window
// of its own that plays the root's part.
[[nodiscard]] LegacyFailure ParseOptions(const std::vector<std::string>& args, const char* xscreensaverWindow,
                                   SaverOptions& options);

// A window id in hex (0x…) or decimal, from 1 to 0xFFFFFFFF.
std::optional<unsigned long> ParseWindowId(std::string_view text);

std::string Usage();

}  // namespace quorvana
