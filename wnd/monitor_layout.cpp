// SPDX-License-Identifier: MIT
#include "wnd/monitor_layout.h"

#include <optional>

#include "saver/monitor_layout.h"

namespace {

struct Listed {
    std::vector<quorvana::Rect> monitors;
    std::optional<std::size_t> primary;
};

BOOL CALLBACK Collect(HMONITOR monitor, HDC, LPRECT, LPARAM param)
{
    auto& listed = *reinterpret_cast<Listed*>(param);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
    if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) listed.primary = listed.monitors.size();
    listed.monitors.push_back(ToRect(info.rcMonitor));
    return TRUE;
}

}  // namespace

std::vector<quorvana::Rect> MonitorsToCover()
{
    Listed listed;
    ::EnumDisplayMonitors(nullptr, nullptr, &Collect, reinterpret_cast<LPARAM>(&listed));
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const quorvana::Rect screen{left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return quorvana::CoverableMonitors(listed.monitors, listed.primary, screen);
}
