// SPDX-License-Identifier: MIT
#include "wnd/saver_wnd.h"

#include "wnd/saver_windows.h"

CSaverWnd::CSaverWnd(int speed) : CJuliaWnd(Deletion::AfterLastMessage, speed), m_ptInitialMouse{-1, -1} {}

CSaverWnd::CSaverWnd(int speed, std::uint32_t seed, SaverWindows* windows)
    : CJuliaWnd(Deletion::AfterLastMessage, speed, seed), m_ptInitialMouse{-1, -1}, m_windows(windows)
{
}

CSaverWnd::~CSaverWnd() = default;

const fw::MessageMap* CSaverWnd::GetThisMessageMap()
{
    static const fw::MessageMapEntry entries[] = {
        fw::OnMessage<WM_SYSCOMMAND>(&CSaverWnd::OnSysCommand),
        fw::OnMessage<WM_DESTROY>(&CSaverWnd::OnDestroy),
        fw::OnMessage<WM_SETCURSOR>(&CSaverWnd::OnSetCursor),
        fw::OnMessage<WM_NCACTIVATE>(&CSaverWnd::OnNcActivate),
        fw::OnMessage<WM_ACTIVATE>(&CSaverWnd::OnActivate),
        fw::OnMessage<WM_ACTIVATEAPP>(&CSaverWnd::OnActivateApp),
        fw::OnMessage<WM_MOUSEMOVE>(&CSaverWnd::OnMouseMove),
        fw::OnMessage<WM_LBUTTONDOWN>(&CSaverWnd::OnButtonDown),
        fw::OnMessage<WM_MBUTTONDOWN>(&CSaverWnd::OnButtonDown),
        fw::OnMessage<WM_RBUTTONDOWN>(&CSaverWnd::OnButtonDown),
        fw::OnMessage<WM_KEYDOWN>(&CSaverWnd::OnKeyDown),
        fw::OnMessage<WM_SYSKEYDOWN>(&CSaverWnd::OnKeyDown),
        fw::OnMessage<WM_DISPLAYCHANGE>(&CSaverWnd::OnDisplayChange),
    };
    static const fw::MessageMap map = fw::MakeMap(CJuliaWnd::GetThisMessageMap(), entries);
    return &map;
}

BOOL CSaverWnd::CreateFullScreen()
{
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, screen, nullptr);
}

BOOL CSaverWnd::CreateOnMonitor(const RECT& monitor)
{
    // Shown without activation, so the keyboard stays with the primary's window.
    if (!Create(WS_EX_TOPMOST, WS_POPUP, monitor, nullptr)) return FALSE;
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    return TRUE;
}

// The primary's window is made before the others, while Primary() is still null.
bool CSaverWnd::IsPrimary() const
{
    return m_windows == nullptr || m_windows->Primary() == nullptr || m_windows->Primary() == m_hWnd;
}

// Every window closes the saver through the primary's: its destruction ends
// the program, and the others go with the SaverWindows.
void CSaverWnd::PostClose() { ::PostMessageW(IsPrimary() ? m_hWnd : m_windows->Primary(), WM_CLOSE, 0, 0); }

void CSaverWnd::OnSysCommand(UINT id, LPARAM)
{
    // Compared as received, not masked: a neighbouring value is another command.
    if (id == SC_SCREENSAVE || id == SC_CLOSE) return;
    Default();
}

void CSaverWnd::OnDestroy()
{
    // The saver ends the loop itself, main window or not (as the main window
    // the framework's quit follows, with the same code); a window over a
    // monitor that has gone closes alone.
    if (IsPrimary()) ::PostQuitMessage(0);
    CWnd::OnDestroy();
}

BOOL CSaverWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(nullptr);
    return TRUE;
}

BOOL CSaverWnd::OnNcActivate(BOOL active)
{
    if (!active) return FALSE;
    return static_cast<BOOL>(Default());
}

void CSaverWnd::OnActivate(UINT state, CWnd* other, BOOL)
{
    // Activation passing to another of the saver's windows is no sign of the user.
    const bool toOwnWindow = m_windows != nullptr && other != nullptr && m_windows->Contains(other->m_hWnd);
    if (state == WA_INACTIVE && !toOwnWindow) PostClose();
    Default();
}

void CSaverWnd::OnActivateApp(BOOL active, DWORD)
{
    if (!active) PostClose();
    Default();
}

void CSaverWnd::OnMouseMove(UINT, POINT point)
{
    // Several windows share one first position in screen coordinates (the
    // primary's window lies at (0, 0), where they are its client coordinates).
    POINT& first = m_windows != nullptr ? m_windows->FirstMouse() : m_ptInitialMouse;
    if (m_windows != nullptr) ::ClientToScreen(m_hWnd, &point);
    // The first report only records where the mouse is; the window may get
    // repeats there without any movement.
    if (first.x == -1 && first.y == -1) {
        first = point;
    } else if (point.x != first.x || point.y != first.y) {
        PostClose();
    }
    Default();
}

void CSaverWnd::OnButtonDown(UINT, POINT)
{
    PostClose();
    Default();
}

void CSaverWnd::OnKeyDown(UINT, UINT, UINT)
{
    PostClose();
    Default();
}

void CSaverWnd::OnDisplayChange()
{
    // Every top-level window hears of it; the primary's answers for all.
    if (m_windows != nullptr && IsPrimary()) m_windows->CoverMonitorsAgain();
    Default();
}
