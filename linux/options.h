// SPDX-License-Identifier: MIT
// The command line of quorvana, the Linux saver, and where it draws:
//   --window-id ID | --root | --fullscreen | (nothing: a window of its own)
//   --speed N, --seed N, --pictures K, --no-shm, --wayland | --x11, --help, --version;
//   or --register / --unregister [--as-root] (xscreensaver/registration.h) instead of drawing.
// The options are rows of the table in options.cpp, parsed by the shared
// parser (common/command_line.h, which says how to add one); so every option
// is also accepted with a single dash and as --name=value, as xscreensaver
// display modes are. ParseOptions is pure: the caller hands in
// $XSCREENSAVER_WINDOW, and gets either the options (saver_options.h)
// or a usage Failure whose line names the bad argument and what is allowed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "linux/saver_options.h"

namespace quorvana {

// The options of the arguments (without the program's name), or a usage
// Failure saying what is wrong with the first bad one. xscreensaverWindow: the value of
// $XSCREENSAVER_WINDOW, or null when unset. It names the window to draw on
// unless --window-id or --fullscreen is given; it also stands in for the
// root window under --root, since xscreensaver draws its savers on a window
// of its own that plays the root's part.
Result<SaverOptions> ParseOptions(const std::vector<std::string>& args, const char* xscreensaverWindow);

// A window id in hex (0x…) or decimal, from 1 to 0xFFFFFFFF.
std::optional<unsigned long> ParseWindowId(std::string_view text);

std::string Usage();

}  // namespace quorvana
