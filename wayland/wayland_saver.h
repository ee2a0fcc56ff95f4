// SPDX-License-Identifier: MIT
// The native Wayland saver, called by quorvana's main once it has chosen
// this path (a compositor that offers layer-shell). Flow of control:
//   outputs  SaverOutputs binds every output, now and later, and gives each
//            a layer-shell surface (output_surface.h) with its own renderer
//            and seed: overlay for the full-screen saver, background for
//            the live wallpaper.
//   input    the full-screen saver's SeatInput hears every seat's pointer,
//            keyboard and touch and asks the close rules.
//   ticks    the one loop (common/display_loop.h) settles the surfaces
//            after each batch of events (first pictures, new sizes, closed
//            surfaces) and, from the first picture on, draws one row on
//            every output each TickPeriodMs(speed) (saver/saver_core.h).
//   end      on input that the rules say closes, or when the compositor has
//            closed every surface (both full screen only: the wallpaper
//            waits for outputs to come back), after `pictures` finished
//            pictures of the first output, or on the stop descriptor;
//            a failure when the compositor goes away or refuses a request.
#pragma once

#include <cstdint>

#include "render/picture_look.h"
#include "render/shown_picture.h"
#include "common/failure.h"
#include "wayland/connection.h"
#include "wayland/output_surface.h"

namespace quorvana {

struct WaylandSaverSettings {
    SurfaceLayer layer = SurfaceLayer::Overlay;
    int speed = 0;
    std::uint32_t seed = 0;  // the first output's; the others' follow from it
    int pictures = 0;        // end after this many pictures of the first output; 0: no such end
    PictureLook look;        // how every output shows its pictures
    bool zoom = false;       // show each zoom (render/shown_picture.h)
};

// connection must offer layer-shell (WaylandConnection::OffersLayerShell).
[[nodiscard]] Result<> RunWaylandSaver(WaylandConnection& connection, const WaylandSaverSettings& settings,
                                       int stopFd);

}  // namespace quorvana
