// SPDX-License-Identifier: MIT
#include "wayland/connection.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quorvana {

namespace {

// wl_surface.damage_buffer arrived in version 4.
constexpr std::uint32_t kCompositorVersion = 4;
// Version 4 of layer-shell, Debian 12's description, added on-demand
// keyboard focus; nothing older lacks what the saver asks for.
constexpr std::uint32_t kLayerShellVersion = 4;
// Version 3: the output's name, and wl_output.done applies its state.
constexpr std::uint32_t kOutputManagerVersion = 3;

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface, std::uint32_t offered,
        std::uint32_t wanted)
{
    return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

bool IsDevice(std::string_view interface) { return interface == "wl_output" || interface == "wl_seat"; }

// libwayland writes its own complaints ("XDG_RUNTIME_DIR is invalid…",
// "error marshalling arguments…") on standard error unless given a handler,
// which takes no context: the last one is kept process-wide, so that the
// saver's one line can carry it.
std::string s_libraryComplaint;

void KeepComplaint(const char* format, va_list arguments)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    constexpr std::string_view kPrefix = "error: ";
    const std::string_view said = text;
    s_libraryComplaint = said.substr(said.starts_with(kPrefix) ? kPrefix.size() : 0);
    while (!s_libraryComplaint.empty() &&
           (s_libraryComplaint.back() == '.' || std::isspace(static_cast<unsigned char>(s_libraryComplaint.back()))))
        s_libraryComplaint.pop_back();
}

// ": WHY", from libwayland's last complaint, else from errno.
std::string Reason(int error)
{
    return ": " + (s_libraryComplaint.empty() ? std::string(std::strerror(error)) : s_libraryComplaint);
}

}  // namespace

const wl_registry_listener WaylandConnection::s_registryListener = {
    .global = OnGlobal,
    .global_remove = OnGlobalRemove,
};

Result<std::unique_ptr<WaylandConnection>> WaylandConnection::Connect()
{
    wl_log_set_handler_client(KeepComplaint);
    s_libraryComplaint.clear();
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection());
    connection->m_display.reset(wl_display_connect(nullptr));
    if (!connection->m_display) {
        const int error = errno;
        const char* name = std::getenv("WAYLAND_DISPLAY");
        return Failure::Runtime(std::string("cannot connect to the Wayland compositor '") +
                                (name && *name ? name : "wayland-0") + "'" + Reason(error));
    }
    connection->m_registry.reset(wl_display_get_registry(connection->Display()));
    wl_registry_add_listener(connection->m_registry.get(), &s_registryListener, connection.get());
    TRY(connection->Roundtrip());
    if (!connection->m_compositor || !connection->m_shm)
        return Failure::Runtime("the Wayland compositor offers no wl_compositor 4 or no wl_shm");
    return connection;
}

WaylandConnection::~WaylandConnection()
{
    // The globals go before the display (their declaration order); flush
    // their destructor requests so the compositor hears them before we leave.
    m_fractionalScale.reset();
    m_viewporter.reset();
    m_outputManager.reset();
    m_layerShell.reset();
    m_shm.reset();
    m_compositor.reset();
    m_registry.reset();
    if (m_display) wl_display_flush(m_display.get());
}

void WaylandConnection::ListenForDevices(DeviceListener* listener)
{
    m_listeners.push_back(listener);
    for (const Device& device : m_devices)
        listener->OnDeviceAdded(m_registry.get(), device.name, device.interface, device.version);
}

Result<> WaylandConnection::Roundtrip()
{
    if (wl_display_roundtrip(Display()) < 0) return Lost();
    return {};
}

Failure WaylandConnection::Lost() const
{
    const int error = wl_display_get_error(Display());
    const wl_interface* interface = nullptr;
    std::uint32_t id = 0;
    if (error == EPROTO) {
        const std::uint32_t code = wl_display_get_protocol_error(Display(), &interface, &id);
        return Failure::Runtime("the Wayland compositor refused a request: error " + std::to_string(code) + " on " +
                                (interface ? interface->name : "an object") + " " + std::to_string(id));
    }
    return Failure::Runtime("lost the connection to the Wayland compositor" + Reason(error ? error : EPIPE));
}

void WaylandConnection::OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                                 std::uint32_t version)
{
    auto* self = static_cast<WaylandConnection*>(data);
    const std::string_view which = interface;
    if (which == wl_compositor_interface.name && version >= kCompositorVersion)
        self->m_compositor.reset(Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, kCompositorVersion));
    else if (which == wl_shm_interface.name)
        self->m_shm.reset(Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1));
    else if (which == zwlr_layer_shell_v1_interface.name)
        self->m_layerShell.reset(
            Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, kLayerShellVersion));
    else if (which == zxdg_output_manager_v1_interface.name)
        self->m_outputManager.reset(Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface,
                                                                 version, kOutputManagerVersion));
    else if (which == wp_viewporter_interface.name)
        self->m_viewporter.reset(Bind<wp_viewporter>(registry, name, &wp_viewporter_interface, version, 1));
    else if (which == wp_fractional_scale_manager_v1_interface.name)
        self->m_fractionalScale.reset(Bind<wp_fractional_scale_manager_v1>(
            registry, name, &wp_fractional_scale_manager_v1_interface, version, 1));
    else if (IsDevice(which)) {
        self->m_devices.push_back(Device{name, std::string(which), version});
        for (DeviceListener* listener : self->m_listeners) listener->OnDeviceAdded(registry, name, which, version);
    }
}

void WaylandConnection::OnGlobalRemove(void* data, wl_registry*, std::uint32_t name)
{
    auto* self = static_cast<WaylandConnection*>(data);
    const auto gone = std::remove_if(self->m_devices.begin(), self->m_devices.end(),
                                     [&](const Device& d) { return d.name == name; });
    if (gone == self->m_devices.end()) return;
    self->m_devices.erase(gone, self->m_devices.end());
    for (DeviceListener* listener : self->m_listeners) listener->OnDeviceRemoved(name);
}

}  // namespace quorvana
