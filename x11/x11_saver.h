// SPDX-License-Identifier: MIT
// The X11 front end of the Linux saver, as one call: the program's main
// opens $DISPLAY (XConnection::Open, x_connection.h), hands it the settings
// of the run, and it draws until the saver ends. It makes the window the
// settings name (a given window, the root, a window of its own, or one over
// each monitor), runs the one loop (common/display_loop.h) and frees its
// windows before it returns.
//
// Its failures: a usage failure (status 2) when there is no such window; a
// run-time failure (status 1) when the display cannot be drawn on or a
// window is too large for memory. Opening the display fails with status 2
// when there is none, 1 when it refuses the saver.
#pragma once

#include <cstdint>

#include "common/failure.h"
#include "render/picture_look.h"
#include "render/shown_picture.h"
#include "saver/tick_period.h"
#include "x11/x_connection.h"

namespace quorvana {

enum class X11Target {
    OwnWindow,    // a resizable top-level window of 800 × 600
    FullScreen,   // an own window over each monitor, closed by user input
    RootWindow,   // the root window of the default screen
    GivenWindow,  // a window that another program made
};

struct X11SaverSettings {
    X11Target target = X11Target::OwnWindow;
    unsigned long windowId = 0;  // for X11Target::GivenWindow
    int speed = 0;
    std::uint32_t seed = 0;      // the first screen's
    // A window that is not full screen draws the pictures of the monitor it
    // lies on (xscreensaver starts one saver on each monitor's window, all in
    // the same second), unless the seed was asked for: then it is the window's own.
    bool seedAskedFor = false;
    int pictures = 0;            // end after this many finished pictures; 0: run until stopped
    bool sharedMemory = true;    // MIT-SHM when the server offers it
    PictureLook look;            // how every window shows its pictures
    bool zoom = false;           // show each zoom (render/shown_picture.h)

    // The look, and the ticks a zoom takes at this speed.
    ShowChoices Shown() const { return {look, zoom ? ZoomTicks(TickPeriodMs(speed)) : 0}; }
};

// Draws until the saver ends or stopFd (common/stop_signals.h) becomes readable.
[[nodiscard]] Result<> RunX11Saver(const XConnection& x, const X11SaverSettings& settings, int stopFd);

}  // namespace quorvana
