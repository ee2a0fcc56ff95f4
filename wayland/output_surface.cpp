// SPDX-License-Identifier: MIT
#include "wayland/output_surface.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "common/option_values.h"


namespace quorvana {

namespace {

constexpr std::uint32_t kAllEdges = ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;
// −1: over panels and bars too, not beside them.
constexpr std::int32_t kIgnoreExclusiveZones = -1;
constexpr std::uint32_t kScaleDenominator = 120;  // fractional-scale-v1's unit

int Scaled(int logical, std::uint32_t fractional120)
{
    return static_cast<int>((static_cast<std::uint64_t>(logical) * fractional120 + kScaleDenominator / 2) /
                            kScaleDenominator);
}

}  // namespace

PixelSize BoundedToMaxSide(PixelSize device)
{
    const long long longest = std::max(device.width, device.height);
    if (longest <= kMaxSide) return device;
    const auto shrunk = [&](int side) { return std::max(1, static_cast<int>(side * kMaxSide / longest)); };
    return PixelSize{shrunk(device.width), shrunk(device.height)};
}

PixelSize DeviceSize(PixelSize logical, int scale, std::optional<std::uint32_t> fractional120)
{
    if (fractional120) return PixelSize{Scaled(logical.width, *fractional120), Scaled(logical.height, *fractional120)};
    return PixelSize{logical.width * scale, logical.height * scale};
}

const zwlr_layer_surface_v1_listener OutputSurface::s_layerListener = {
    .configure = OnConfigure,
    .closed = OnClosed,
};

const wp_fractional_scale_v1_listener OutputSurface::s_fractionalListener = {.preferred_scale = OnPreferredScale};

OutputSurface::OutputSurface(const WaylandConnection& connection, const Output& output, SurfaceLayer layer,
                             const ShowChoices& shown, std::uint32_t seed, SaverCore& core)
    : m_output(output), m_core(core), m_screen(seed)
{
    m_surface.reset(wl_compositor_create_surface(connection.Compositor()));
    m_presenter.emplace(connection, m_surface.get(), shown);
    // The viewport says the surface's logical size, whatever the picture's
    // device size.
    if (connection.Viewporter())
        m_viewport.reset(wp_viewporter_get_viewport(connection.Viewporter(), m_surface.get()));
    if (connection.FractionalScale() && connection.Viewporter()) {
        m_fractional.reset(wp_fractional_scale_manager_v1_get_fractional_scale(connection.FractionalScale(),
                                                                               m_surface.get()));
        wp_fractional_scale_v1_add_listener(m_fractional.get(), &s_fractionalListener, this);
    }
    const bool overlay = layer == SurfaceLayer::Overlay;
    m_layer.reset(zwlr_layer_shell_v1_get_layer_surface(
        connection.LayerShell(), m_surface.get(), output.Get(),
        // The wallpaper on the bottom layer: over a background client the
        // desktop already runs (sway's swaybg, which the compositor keeps
        // above a later background surface), under every window.
        overlay ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM, "quorvana"));
    zwlr_layer_surface_v1_add_listener(m_layer.get(), &s_layerListener, this);
    zwlr_layer_surface_v1_set_anchor(m_layer.get(), kAllEdges);
    zwlr_layer_surface_v1_set_exclusive_zone(m_layer.get(), kIgnoreExclusiveZones);
    if (overlay) {
        zwlr_layer_surface_v1_set_keyboard_interactivity(m_layer.get(),
                                                         ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    } else {
        // An empty input region: clicks and motion go to the desktop beneath.
        wl_region* none = wl_compositor_create_region(connection.Compositor());
        wl_surface_set_input_region(m_surface.get(), none);
        wl_region_destroy(none);
    }
    // The first commit carries no buffer; the compositor answers with the size.
    wl_surface_commit(m_surface.get());
}

OutputSurface::Fit OutputSurface::Wanted()
{
    const bool fractional = m_fractional && m_fractional120;
    const int scale = m_output.State().scale;
    Fit fit{*m_logical, DeviceSize(*m_logical, scale, fractional ? m_fractional120 : std::nullopt),
            m_viewport ? 1 : scale};
    // Only a viewport can stretch a smaller picture over the surface.
    if (const PixelSize asked = fit.device; m_viewport && BoundedToMaxSide(asked) != asked) {
        fit.device = BoundedToMaxSide(asked);
        if (!std::exchange(m_saidBounded, true))
            std::fprintf(stderr, "quorvana: output %s would take %d x %d pixels: drawn at %d x %d, %d a side at most\n",
                         m_output.State().name.c_str(), asked.width, asked.height, fit.device.width,
                         fit.device.height, kMaxSide);
    }
    return fit;
}

Result<> OutputSurface::FitAndCommit()
{
    if (!m_logical || m_closed) return {};
    const Fit wanted = Wanted();
    if (wanted != m_fit && wanted.device.width > 0 && wanted.device.height > 0) {
        // With a viewport the surface is the logical size whatever its buffer's.
        if (m_viewport) wp_viewport_set_destination(m_viewport.get(), wanted.logical.width, wanted.logical.height);
        wl_surface_set_buffer_scale(m_surface.get(), wanted.bufferScale);
        TRY(m_presenter->Resize(wanted.device.width, wanted.device.height));
        // A new fit is a new picture with a seed of its own, as a new monitor gets.
        if (m_fit) m_screen = SaverScreen(m_core.NextScreenSeed());
        m_fit = wanted;
        m_owedRows = 0;
        // A new buffer is never held: there is a picture to restart on.
        if (quorvana::Surface* picture = TRY(m_presenter->Writable())) m_screen.Reshape(*picture);
    }
    m_presenter->Commit();
    return {};
}

Result<> OutputSurface::Tick()
{
    if (!m_screen.Started() || m_closed) return {};
    // Past a few ticks behind (a hidden output whose buffers stay held), the
    // rest are let go rather than drawn in a burst.
    constexpr int kMostOwedRows = 8;
    m_owedRows = std::min(m_owedRows + 1, kMostOwedRows);
    quorvana::Surface* picture = TRY(m_presenter->Writable());
    if (!picture) return {};  // the compositor holds both buffers
    for (; m_owedRows > 0; --m_owedRows) {
        const TickOutcome outcome = m_screen.Draw(*picture);
        m_presenter->AfterTick(outcome, m_screen.LastViews(), m_screen.Row());
    }
    m_presenter->Commit();
    return {};
}

void OutputSurface::OnConfigure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t width,
                                std::uint32_t height)
{
    auto* self = static_cast<OutputSurface*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    self->m_logical = PixelSize{static_cast<int>(width), static_cast<int>(height)};
}

void OutputSurface::OnClosed(void* data, zwlr_layer_surface_v1*)
{
    static_cast<OutputSurface*>(data)->m_closed = true;
}

void OutputSurface::OnPreferredScale(void* data, wp_fractional_scale_v1*, std::uint32_t scale)
{
    static_cast<OutputSurface*>(data)->m_fractional120 = scale;
}

}  // namespace quorvana
