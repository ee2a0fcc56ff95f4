// SPDX-License-Identifier: MIT
#include "wnd/saver_windows.h"

#include <algorithm>

#include "saver/monitor_layout.h"
#include "wnd/monitor_layout.h"
#include "wnd/saver_wnd.h"

namespace {

// What the primary's window covers: (0, 0) and the primary screen's size.
quorvana::Rect PrimaryScreen() { return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

// The monitors that need a window besides the primary's, in the system's order.
std::vector<quorvana::Rect> OtherMonitors()
{
    std::vector<quorvana::Rect> monitors = MonitorsToCover();
    std::erase(monitors, PrimaryScreen());
    return monitors;
}

}  // namespace

// The windows keep their own timers: the core gives them their seeds.
SaverWindows::SaverWindows(int speed, std::uint32_t seed) : m_speed(speed), m_core(speed, seed, 0) {}

SaverWindows::~SaverWindows()
{
    // Each window deletes its own object once it is gone.
    for (const Covering& other : m_others)
        if (::IsWindow(other.window)) ::DestroyWindow(other.window);
    if (::IsWindow(m_primary)) ::DestroyWindow(m_primary);
}

CSaverWnd* SaverWindows::Open()
{
    // Where the pointer is as the saver starts is the first report. The
    // platform's first WM_MOUSEMOVE, sent as a window comes up under the
    // pointer, can wait in the queue of a busy saver until the user moves;
    // the move then merges into it, and the moved place alone, taken for
    // the first report, would close nothing.
    POINT pointer{};
    if (::GetCursorPos(&pointer)) m_rules.PointerAtStart(pointer.x, pointer.y);
    auto* primary = new CSaverWnd(*this, m_speed, m_core.NextScreenSeed());
    if (!primary->CreateFullScreen()) return nullptr;  // a failed creation has already deleted it
    m_primary = primary->m_hWnd;
    for (const quorvana::Rect& monitor : OtherMonitors()) OpenOn(monitor);
    return primary;
}

void SaverWindows::OpenOn(const quorvana::Rect& monitor)
{
    auto* window = new CSaverWnd(*this, m_speed, m_core.NextScreenSeed());
    if (window->CreateOnMonitor(ToRECT(monitor))) m_others.push_back({window->m_hWnd, monitor});
}

bool SaverWindows::Contains(HWND window) const
{
    return window != nullptr &&
           (window == m_primary ||
            std::any_of(m_others.begin(), m_others.end(), [&](const Covering& c) { return c.window == window; }));
}

void SaverWindows::CoverMonitorsAgain()
{
    const quorvana::Rect primary = PrimaryScreen();
    ::SetWindowPos(m_primary, HWND_TOPMOST, 0, 0, primary.Width(), primary.Height(), SWP_NOACTIVATE);
    std::erase_if(m_others, [](const Covering& c) { return !::IsWindow(c.window); });
    std::vector<quorvana::Rect> covered;
    for (const Covering& other : m_others) covered.push_back(other.monitor);
    const quorvana::LayoutChange change = quorvana::DiffLayout(covered, OtherMonitors());
    quorvana::DropClosed(m_others, change, [](const Covering& gone) { ::DestroyWindow(gone.window); });
    for (const quorvana::Rect& monitor : change.open) OpenOn(monitor);
}
