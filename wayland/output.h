// SPDX-License-Identifier: MIT
// One output of the compositor as the saver sees it: its name, its place and
// size in the compositor's one logical space (xdg-output's logical position
// and size where offered, else wl_output's geometry) and its integer scale. The events of a
// change arrive one by one and take effect together at wl_output.done, which
// is when State() changes; the owner looks after each batch of events.
#pragma once

#include <cstdint>
#include <string>

#include <wayland-client.h>

#include "wayland/proxy.h"

namespace quorvana {

struct OutputState {
    std::string name;  // "HEADLESS-2", "DP-1"; empty until announced
    int x = 0;         // logical position of the top left corner
    int y = 0;
    int width = 0;     // logical size, where xdg-output tells it
    int height = 0;
    int scale = 1;     // wl_output's integer scale
    bool operator==(const OutputState&) const = default;
};

class Output {
public:
    // Binds the global `name` (wl_output of that version).
    Output(wl_registry* registry, std::uint32_t name, std::uint32_t version, zxdg_output_manager_v1* outputManager);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    std::uint32_t GlobalName() const { return m_globalName; }
    wl_output* Get() const { return m_output.get(); }
    // As of the last done event.
    const OutputState& State() const { return m_current; }
    bool Announced() const { return m_announced; }

private:
    static const wl_output_listener s_outputListener;
    static const zxdg_output_v1_listener s_xdgListener;
    static void OnGeometry(void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
                           std::int32_t, const char*, const char*, std::int32_t);
    static void OnMode(void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {}
    static void OnDone(void* data, wl_output*);
    static void OnScale(void* data, wl_output*, std::int32_t factor);
    static void OnName(void* data, wl_output*, const char* name);
    static void OnDescription(void*, wl_output*, const char*) {}
    static void OnLogicalPosition(void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y);
    static void OnLogicalSize(void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height);
    static void OnXdgDone(void*, zxdg_output_v1*) {}
    static void OnXdgName(void* data, zxdg_output_v1*, const char* name);
    static void OnXdgDescription(void*, zxdg_output_v1*, const char*) {}

    std::uint32_t m_globalName;
    Proxy<wl_output> m_output;
    Proxy<zxdg_output_v1> m_xdgOutput;  // null without xdg-output
    OutputState m_pending;
    OutputState m_current;
    bool m_announced = false;
};

}  // namespace quorvana
