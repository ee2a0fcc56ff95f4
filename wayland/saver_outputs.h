// SPDX-License-Identifier: MIT
// The one owner of the outputs and their surfaces. Each output the
// compositor announces gets an OutputSurface once its state is known; an
// output that goes takes its surface with it; a surface the compositor
// closes is dropped. Outputs take their seeds from the saver's core in the
// order they came: the first keeps the saver's seed, each later one gets its
// own (saver/saver_core.h), so an output added later draws pictures of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "common/failure.h"
#include "saver/saver_core.h"
#include "wayland/connection.h"
#include "wayland/output.h"
#include "wayland/output_surface.h"

namespace quorvana {

class SaverOutputs final : public DeviceListener {
public:
    // shown: how every output shows its pictures (look and zoom).
    SaverOutputs(const WaylandConnection& connection, SurfaceLayer layer, const ShowChoices& shown, SaverCore& core)
        : m_connection(connection), m_layer(layer), m_shown(shown), m_core(core)
    {
    }

    void OnDeviceAdded(wl_registry* registry, std::uint32_t name, std::string_view interface,
                       std::uint32_t version) override;
    void OnDeviceRemoved(std::uint32_t name) override;

    // After a batch of events: surfaces for newly announced outputs, closed
    // ones dropped, the rest fitted again where their size or scale changed,
    // and each surface's drawing committed (OutputSurface::FitAndCommit);
    // the core's ticks begin with the first picture.
    [[nodiscard]] Result<> Settle();
    // One tick on every output.
    [[nodiscard]] Result<> Tick();

    // The screen of the earliest output still there; null when there is none.
    const SaverScreen* FirstScreen() const;
    // The compositor closed surfaces and none is left to draw on.
    bool AllClosed() const { return m_anyClosed && !HasSurface(); }
    // Whether `surface` is one of the saver's.
    bool Owns(const wl_surface* surface) const;
    bool HasSurface() const;
    // Whether outputs came, went or changed place, size or scale, or
    // surfaces were made or closed, since the last call.
    bool TakeLayoutChange() { return std::exchange(m_layoutChanged, false); }

private:
    struct Entry {
        std::unique_ptr<Output> output;          // declared first: outlives its surface
        std::unique_ptr<OutputSurface> surface;  // none until announced, and after closed
        std::uint32_t seed;                      // from the core in order of arrival
        std::optional<OutputState> settled;      // as the last Settle saw it
        bool closed = false;                     // the compositor closed its surface: never again
    };

    const WaylandConnection& m_connection;
    SurfaceLayer m_layer;
    ShowChoices m_shown;
    SaverCore& m_core;
    std::vector<Entry> m_entries;
    bool m_layoutChanged = false;
    bool m_anyClosed = false;
};

}  // namespace quorvana
