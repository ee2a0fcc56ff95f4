// SPDX-License-Identifier: MIT
// What the user asked of one run of the Linux program: where it draws, how
// fast, from which seed, in which look and for how many pictures, or to answer --help,
// --version, --register instead. The command line (linux/options.h) fills
// it; main hands each front end the narrow settings it takes
// (X11SaverSettings, WaylandSaverSettings). Plain data: no parsing.
#pragma once

#include <cstdint>
#include <optional>

#include "common/option_values.h"
#include "render/theme.h"

namespace quorvana {

enum class Target {
    OwnWindow,    // a resizable top-level window of 800 × 600
    FullScreen,   // an own window over each monitor, closed by user input
    RootWindow,   // the root window of the default screen
    GivenWindow,  // a window that another program made (--window-id or xscreensaver)
};

// Which display system draws --fullscreen and --root (linux/front_end_choice.h).
enum class DisplaySystem {
    Automatic,  // Wayland when $WAYLAND_DISPLAY is set and the compositor offers layer-shell, else X11
    Wayland,    // --wayland
    X11,        // --x11
};

struct SaverOptions {
    Target target = Target::OwnWindow;
    unsigned long windowId = 0;          // for Target::GivenWindow
    int speed = kDefaultSpeed;           // 0 … kMaxSpeed
    std::optional<std::uint32_t> seed;   // none: taken from the time
    int pictures = 0;                    // end after this many finished pictures; 0: run until stopped
    bool sharedMemory = true;            // MIT-SHM when the server offers it; --no-shm: never
    DisplaySystem display = DisplaySystem::Automatic;
    // How pictures are shown (render/picture_look.h); what is drawn is the same.
    ThemeName theme = ThemeName::Green;
    int brightness = 0;                  // 0 … kMaxBrightness
    bool fullRows = false;
    bool zoom = false;                   // show each zoom into the next picture
    bool help = false;
    bool version = false;
    bool registerMode = false;    // add Quorvana to ~/.xscreensaver instead of drawing
    bool unregisterMode = false;  // take it out again
    bool asRoot = false;          // let root register in its own ~/.xscreensaver
};

}  // namespace quorvana
