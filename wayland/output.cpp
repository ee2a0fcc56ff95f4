// SPDX-License-Identifier: MIT
#include "wayland/output.h"

#include <algorithm>

namespace quorvana {

namespace {

// Version 4 names the output; 3 has release; older ones still work.
constexpr std::uint32_t kOutputVersion = 4;

}  // namespace

const wl_output_listener Output::s_outputListener = {
    .geometry = OnGeometry,
    .mode = OnMode,
    .done = OnDone,
    .scale = OnScale,
    .name = OnName,
    .description = OnDescription,
};

const zxdg_output_v1_listener Output::s_xdgListener = {
    .logical_position = OnLogicalPosition,
    .logical_size = OnLogicalSize,
    .done = OnXdgDone,  // from version 3 on, wl_output.done applies xdg-output's state too
    .name = OnXdgName,
    .description = OnXdgDescription,
};

Output::Output(wl_registry* registry, std::uint32_t name, std::uint32_t version,
               zxdg_output_manager_v1* outputManager)
    : m_globalName(name)
{
    m_output.reset(static_cast<wl_output*>(
        wl_registry_bind(registry, name, &wl_output_interface, std::min(version, kOutputVersion))));
    wl_output_add_listener(m_output.get(), &s_outputListener, this);
    if (outputManager) {
        m_xdgOutput.reset(zxdg_output_manager_v1_get_xdg_output(outputManager, m_output.get()));
        zxdg_output_v1_add_listener(m_xdgOutput.get(), &s_xdgListener, this);
    }
}

void Output::OnGeometry(void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
                        std::int32_t, const char*, const char*, std::int32_t)
{
    auto* self = static_cast<Output*>(data);
    if (self->m_xdgOutput) return;  // xdg-output's logical position is the one to trust
    self->m_pending.x = x;
    self->m_pending.y = y;
}

void Output::OnDone(void* data, wl_output*)
{
    auto* self = static_cast<Output*>(data);
    self->m_current = self->m_pending;
    self->m_announced = true;
}

void Output::OnScale(void* data, wl_output*, std::int32_t factor)
{
    static_cast<Output*>(data)->m_pending.scale = std::max(1, factor);
}

void Output::OnName(void* data, wl_output*, const char* name) { static_cast<Output*>(data)->m_pending.name = name; }

void Output::OnLogicalPosition(void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y)
{
    auto* self = static_cast<Output*>(data);
    self->m_pending.x = x;
    self->m_pending.y = y;
}

void Output::OnLogicalSize(void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height)
{
    auto* self = static_cast<Output*>(data);
    self->m_pending.width = width;
    self->m_pending.height = height;
}

void Output::OnXdgName(void* data, zxdg_output_v1*, const char* name)
{
    static_cast<Output*>(data)->m_pending.name = name;
}

}  // namespace quorvana
