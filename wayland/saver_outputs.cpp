// SPDX-License-Identifier: MIT
#include "wayland/saver_outputs.h"

#include <algorithm>


namespace quorvana {

void SaverOutputs::OnDeviceAdded(wl_registry* registry, std::uint32_t name, std::string_view interface,
                                 std::uint32_t version)
{
    if (interface != wl_output_interface.name) return;
    // Surfaces are made in Settle, once the output's first done has told its scale.
    m_entries.push_back(Entry{std::make_unique<Output>(registry, name, version, m_connection.OutputManager()),
                              nullptr, m_core.NextScreenSeed(), std::nullopt});
    m_layoutChanged = true;
}

void SaverOutputs::OnDeviceRemoved(std::uint32_t name)
{
    m_layoutChanged |= std::erase_if(m_entries, [&](const Entry& entry) { return entry.output->GlobalName() == name; }) > 0;
}

Result<> SaverOutputs::Settle()
{
    for (Entry& entry : m_entries) {
        if (entry.surface && entry.surface->Closed()) {
            entry.surface.reset();
            entry.closed = m_anyClosed = m_layoutChanged = true;
        }
        if (entry.output->Announced() && entry.settled != entry.output->State()) {
            entry.settled = entry.output->State();
            m_layoutChanged = true;
        }
        if (!entry.surface && !entry.closed && entry.output->Announced()) {
            entry.surface = std::make_unique<OutputSurface>(m_connection, *entry.output, m_layer, m_shown, entry.seed, m_core);
            m_layoutChanged = true;
        }
        if (!entry.surface) continue;
        TRY(entry.surface->FitAndCommit());
        m_core.Begin(entry.surface->Screen(), SaverCore::Clock::now());
    }
    return {};
}

Result<> SaverOutputs::Tick()
{
    for (Entry& entry : m_entries)
        if (entry.surface) TRY(entry.surface->Tick());
    return {};
}

const SaverScreen* SaverOutputs::FirstScreen() const
{
    for (const Entry& entry : m_entries)
        if (entry.surface) return &entry.surface->Screen();
    return nullptr;
}

bool SaverOutputs::HasSurface() const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.surface != nullptr; });
}

bool SaverOutputs::Owns(const wl_surface* surface) const
{
    return surface && std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
               return entry.surface && entry.surface->Surface() == surface;
           });
}

}  // namespace quorvana
