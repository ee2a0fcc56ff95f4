// SPDX-License-Identifier: MIT
// The saver on one output: a layer-shell surface over the whole output, its
// own renderer and seed, and the presenter of its pixels. On the overlay
// layer (the full-screen saver) it takes the keyboard and covers every
// window and panel; on the bottom layer (the live wallpaper) it lies
// under them and takes no input at all.
//
// It draws in the output's device pixels: the surface's logical size from
// the compositor's configure, times the output's integer scale, or, where the
// compositor offers fractional scale and viewporter, times its preferred
// fractional scale; with viewporter the viewport is set to the logical size,
// else the buffer scale to the integer one; at most 16384 device pixels a
// side (kMaxSide), said once. Whenever the logical size, the scale or the
// device size changes (a new mode, a new scale at the same device size too),
// the surface gets a picture of its new device size and a seed of its own,
// as a new monitor does (FitAndCommit).
#pragma once

#include <cstdint>
#include <optional>

#include <wayland-client.h>

#include "common/failure.h"
#include "saver/saver_core.h"
#include "saver/saver_screen.h"
#include "wayland/connection.h"
#include "wayland/output.h"
#include "wayland/proxy.h"
#include "wayland/surface_presenter.h"

namespace quorvana {

enum class SurfaceLayer {
    Overlay,     // above everything, exclusive keyboard: the full-screen saver
    Background,  // below every window, above the desktop's own background, no input: the live wallpaper
};

// A size in pixels.
struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// The buffer size for a surface of `logical` size: by the fractional scale
// (in 120ths, rounded half away from zero, as fractional-scale-v1 asks) when
// there is one, else by the integer scale.
PixelSize DeviceSize(PixelSize logical, int scale, std::optional<std::uint32_t> fractional120);
// A size no longer than kMaxSide a side, its proportions kept as whole pixels allow.
PixelSize BoundedToMaxSide(PixelSize device);

class OutputSurface {
public:
    // seed: its first picture's; later ones come from core. shown: how its
    // pictures are shown.
    OutputSurface(const WaylandConnection& connection, const Output& output, SurfaceLayer layer,
                  const ShowChoices& shown, std::uint32_t seed, SaverCore& core);
    OutputSurface(const OutputSurface&) = delete;
    OutputSurface& operator=(const OutputSurface&) = delete;

    // After a batch of events: starts the picture over if the device size
    // changed (the first configure, a new mode or scale), then commits what
    // was drawn if a frame callback (or the new size) lets it through.
    [[nodiscard]] Result<> FitAndCommit();
    // One row, or the frame end after the last row, then its commit as
    // above; nothing before the first picture. The ticks are the saver's
    // clock, not the compositor's: a tick that finds both buffers held is
    // owed and drawn with the next one (a few at most), so a compositor
    // that holds buffers longer gets the same rows a second, in fewer
    // commits. Fails when a second buffer cannot be made.
    [[nodiscard]] Result<> Tick();

    // The compositor closed the surface (its output going, say): the owner
    // drops it after the batch of events.
    bool Closed() const { return m_closed; }
    wl_surface* Surface() const { return m_surface.get(); }
    const Output& GetOutput() const { return m_output; }
    const SaverScreen& Screen() const { return m_screen; }

private:
    static const zwlr_layer_surface_v1_listener s_layerListener;
    static const wp_fractional_scale_v1_listener s_fractionalListener;
    static void OnConfigure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t width,
                            std::uint32_t height);
    static void OnClosed(void* data, zwlr_layer_surface_v1* layer);
    static void OnPreferredScale(void* data, wp_fractional_scale_v1*, std::uint32_t scale);

    // What the surface is drawn at: a change of any of it is a new picture.
    struct Fit {
        PixelSize logical;
        PixelSize device;
        int bufferScale;
        bool operator==(const Fit&) const = default;
    };
    // The fit for the last configure and scales, bounded to kMaxSide.
    Fit Wanted();

    const Output& m_output;
    SaverCore& m_core;
    SaverScreen m_screen;
    // Declared in the order they are made; they go in reverse: the buffers
    // and frame callback, then the surface's roles, then the surface.
    Proxy<wl_surface> m_surface;
    Proxy<zwlr_layer_surface_v1> m_layer;
    Proxy<wp_viewport> m_viewport;                   // where the compositor offers viewporter
    Proxy<wp_fractional_scale_v1> m_fractional;
    std::optional<SurfacePresenter> m_presenter;
    std::optional<PixelSize> m_logical;  // from the last configure
    std::optional<std::uint32_t> m_fractional120;
    std::optional<Fit> m_fit;  // the one drawn at
    bool m_saidBounded = false;
    int m_owedRows = 0;  // ticks that found both buffers held, drawn when one comes back
    bool m_closed = false;
};

}  // namespace quorvana
