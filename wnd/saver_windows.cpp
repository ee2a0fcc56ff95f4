// SPDX-License-Identifier: MIT
#include "wnd/saver_windows.h"

#include <algorithm>

#include "saver/monitor_seed.h"
#include "wnd/monitor_layout.h"
#include "wnd/saver_wnd.h"

SaverWindows::SaverWindows(int speed, std::uint32_t seed) : m_speed(speed), m_seed(seed) {}

SaverWindows::~SaverWindows()
{
    // Each window deletes its own object once it is gone.
    for (const Covering& other : m_others)
        if (::IsWindow(other.window)) ::DestroyWindow(other.window);
    if (::IsWindow(m_primary)) ::DestroyWindow(m_primary);
}

CSaverWnd* SaverWindows::Open()
{
    auto* primary = new CSaverWnd(m_speed, quorvana::MonitorSeed(m_seed, 0), this);
    if (!primary->CreateFullScreen()) return nullptr;  // a failed creation has already deleted it
    m_primary = primary->m_hWnd;
    for (const RECT& monitor : OtherMonitorRects()) OpenOn(monitor);
    return primary;
}

void SaverWindows::OpenOn(const RECT& monitor)
{
    auto* window = new CSaverWnd(m_speed, quorvana::MonitorSeed(m_seed, m_nextMonitor++), this);
    if (window->CreateOnMonitor(monitor)) m_others.push_back({window->m_hWnd, monitor});
}

bool SaverWindows::Contains(HWND window) const
{
    return window != nullptr &&
           (window == m_primary ||
            std::any_of(m_others.begin(), m_others.end(), [&](const Covering& c) { return c.window == window; }));
}

void SaverWindows::CoverMonitorsAgain()
{
    ::SetWindowPos(m_primary, HWND_TOPMOST, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                   SWP_NOACTIVATE);
    std::erase_if(m_others, [](const Covering& c) { return !::IsWindow(c.window); });
    std::vector<RECT> covered;
    for (const Covering& other : m_others) covered.push_back(other.monitor);
    const LayoutChange change = DiffLayout(covered, OtherMonitorRects());
    // From the back, so that the indices still name the same windows.
    for (auto index = change.close.rbegin(); index != change.close.rend(); ++index) {
        ::DestroyWindow(m_others[*index].window);
        m_others.erase(m_others.begin() + static_cast<std::ptrdiff_t>(*index));
    }
    for (const RECT& monitor : change.open) OpenOn(monitor);
}
