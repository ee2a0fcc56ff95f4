// SPDX-License-Identifier: MIT
#include "wnd/monitor_layout.h"

#include <algorithm>

namespace {

bool Same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

BOOL CALLBACK CollectOther(HMONITOR monitor, HDC, LPRECT, LPARAM param)
{
    auto& rects = *reinterpret_cast<std::vector<RECT>*>(param);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY) != 0) return TRUE;
    if (::IsRectEmpty(&info.rcMonitor)) return TRUE;
    // The primary's window covers (0, 0) to the primary's size.
    const RECT primary{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const auto covered = [&](const RECT& r) { return Same(r, info.rcMonitor); };
    if (!covered(primary) && std::none_of(rects.begin(), rects.end(), covered)) rects.push_back(info.rcMonitor);
    return TRUE;
}

}  // namespace

std::vector<RECT> OtherMonitorRects()
{
    std::vector<RECT> rects;
    ::EnumDisplayMonitors(nullptr, nullptr, &CollectOther, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

LayoutChange DiffLayout(const std::vector<RECT>& covered, const std::vector<RECT>& monitors)
{
    LayoutChange change;
    std::vector<bool> kept(monitors.size(), false);
    for (std::size_t i = 0; i < covered.size(); ++i) {
        std::size_t m = 0;
        while (m < monitors.size() && (kept[m] || !Same(covered[i], monitors[m]))) ++m;
        if (m < monitors.size())
            kept[m] = true;
        else
            change.close.push_back(i);
    }
    for (std::size_t m = 0; m < monitors.size(); ++m)
        if (!kept[m]) change.open.push_back(monitors[m]);
    return change;
}
