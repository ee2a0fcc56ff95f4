// SPDX-License-Identifier: MIT
// The X11 front end of the Linux saver, as one call: the program's main hands it
// the parsed options and it draws until the saver ends. It opens $DISPLAY,
// makes the window the options name (a given window, the root, a window of
// its own, or one over each monitor), runs the event loop and frees
// everything before it returns.
//
// Its failures: a usage failure (status 2) when there is no display or no
// such window; a run-time failure (status 1) when the display cannot be
// drawn on or a window is too large for memory.
#pragma once

#include "common/failure.h"
#include "saver/saver_options.h"

namespace quorvana {

Result<> RunX11Saver(const SaverOptions& options);

}  // namespace quorvana
