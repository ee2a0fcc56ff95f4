// SPDX-License-Identifier: MIT
// The connection to the Wayland compositor and the globals the saver binds
// once: the compositor, shared memory, layer-shell, and where offered
// xdg-output (the outputs' logical positions), viewporter and fractional
// scale. Outputs and seats come and go while the saver runs: the connection
// hands those to one listener (SaverOutputs, SeatInput), the ones announced
// before it listened first. Connect fails when there is no compositor or it
// lacks wl_compositor 4 or wl_shm; whether it offers layer-shell is for the
// caller to ask (OffersLayerShell), as the front end's choice hangs on it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <wayland-client.h>

#include "common/failure.h"
#include "wayland/proxy.h"

namespace quorvana {

// Told of the globals that come and go: wl_output and wl_seat.
class DeviceListener {
public:
    virtual ~DeviceListener() = default;
    // bind: the registry to bind it with, now, if wanted.
    virtual void OnDeviceAdded(wl_registry* registry, std::uint32_t name, std::string_view interface,
                               std::uint32_t version) = 0;
    virtual void OnDeviceRemoved(std::uint32_t name) = 0;
};

class WaylandConnection {
public:
    // The compositor named by $WAYLAND_DISPLAY (or wayland-0), after one round
    // trip that has announced its globals.
    [[nodiscard]] static Result<std::unique_ptr<WaylandConnection>> Connect();
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_display* Display() const { return m_display.get(); }
    wl_compositor* Compositor() const { return m_compositor.get(); }
    wl_shm* Shm() const { return m_shm.get(); }
    bool OffersLayerShell() const { return m_layerShell != nullptr; }
    zwlr_layer_shell_v1* LayerShell() const { return m_layerShell.get(); }
    // The optional ones: null when the compositor does not offer them.
    zxdg_output_manager_v1* OutputManager() const { return m_outputManager.get(); }
    wp_viewporter* Viewporter() const { return m_viewporter.get(); }
    wp_fractional_scale_manager_v1* FractionalScale() const { return m_fractionalScale.get(); }

    // Adds a listener of outputs and seats; it hears at once of those
    // announced so far. Listeners outlive the connection's dispatching.
    void ListenForDevices(DeviceListener* listener);
    // Before the listeners go.
    void StopListening() { m_listeners.clear(); }

    // Sends what is queued and waits until the compositor has handled it.
    [[nodiscard]] Result<> Roundtrip();
    // What went wrong once the connection fails: a protocol error names the
    // object, else the compositor went away.
    Failure Lost() const;

private:
    struct Device {
        std::uint32_t name;
        std::string interface;
        std::uint32_t version;
    };
    static const wl_registry_listener s_registryListener;
    static void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                         std::uint32_t version);
    static void OnGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);

    WaylandConnection() = default;

    Proxy<wl_display> m_display;  // first declared: disconnected last
    Proxy<wl_registry> m_registry;
    Proxy<wl_compositor> m_compositor;
    Proxy<wl_shm> m_shm;
    Proxy<zwlr_layer_shell_v1> m_layerShell;
    Proxy<zxdg_output_manager_v1> m_outputManager;
    Proxy<wp_viewporter> m_viewporter;
    Proxy<wp_fractional_scale_manager_v1> m_fractionalScale;
    std::vector<Device> m_devices;  // outputs and seats now present
    std::vector<DeviceListener*> m_listeners;
};

}  // namespace quorvana
