// SPDX-License-Identifier: MIT
#include "wnd/saver_wnd.h"

#include "wnd/saver_windows.h"

using Button = quorvana::CloseRules::Button;

CSaverWnd::CSaverWnd(SaverWindows& saver, int speed, std::uint32_t seed)
    : CJuliaWnd(Deletion::AfterLastMessage, speed, seed), m_saver(saver)
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
        fw::OnMessage<WM_MOUSELEAVE>(&CSaverWnd::OnMouseLeave),
        fw::OnMessage<WM_LBUTTONDOWN>(&CSaverWnd::OnLButtonDown),
        fw::OnMessage<WM_MBUTTONDOWN>(&CSaverWnd::OnMButtonDown),
        fw::OnMessage<WM_RBUTTONDOWN>(&CSaverWnd::OnRButtonDown),
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
bool CSaverWnd::IsPrimary() const { return m_saver.Primary() == nullptr || m_saver.Primary() == m_hWnd; }

// Every window closes the saver through the primary's: its destruction ends
// the program, and the others go with the SaverWindows. (The platform names
// the window the activation goes to, so no answer here is "check again".)
void CSaverWnd::CloseSaverIf(const quorvana::CloseAnswer& answer)
{
    if (answer.Closes()) ::PostMessageW(IsPrimary() ? m_hWnd : m_saver.Primary(), WM_CLOSE, 0, 0);
}

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
    if (state == WA_INACTIVE)
        CloseSaverIf(m_saver.Rules().OnFocusCheck(other != nullptr && m_saver.Contains(other->m_hWnd)));
    Default();
}

void CSaverWnd::OnActivateApp(BOOL active, DWORD)
{
    if (!active) CloseSaverIf(m_saver.Rules().OnFocusCheck(false));  // another program's window
    Default();
}

void CSaverWnd::OnMouseMove(UINT, POINT point)
{
    // In the screen's space, which all the saver's windows share.
    ::ClientToScreen(m_hWnd, &point);
    CloseSaverIf(m_saver.Rules().OnPointerAt(point.x, point.y, quorvana::CloseRules::Clock::now()));
    if (!m_watchingLeave) {
        // Asked while the pointer is over the window, as it is now.
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, m_hWnd, 0};
        m_watchingLeave = ::TrackMouseEvent(&leave) != FALSE;
    }
    Default();
}

void CSaverWnd::OnMouseLeave()
{
    // The pointer has gone over another of the saver's windows, which reports
    // it as well, over some other window, or where no monitor is. Where it is
    // now decides; a leave without a move (a window shown over this one)
    // finds it at the same place and closes nothing.
    m_watchingLeave = false;
    POINT at{};
    if (::GetCursorPos(&at)) CloseSaverIf(m_saver.Rules().OnPointerAt(at.x, at.y, quorvana::CloseRules::Clock::now()));
    Default();
}

void CSaverWnd::OnLButtonDown(UINT, POINT)
{
    CloseSaverIf(m_saver.Rules().OnButtonPress(Button::Primary));
    Default();
}

void CSaverWnd::OnMButtonDown(UINT, POINT)
{
    CloseSaverIf(m_saver.Rules().OnButtonPress(Button::Middle));
    Default();
}

void CSaverWnd::OnRButtonDown(UINT, POINT)
{
    CloseSaverIf(m_saver.Rules().OnButtonPress(Button::Secondary));
    Default();
}

void CSaverWnd::OnKeyDown(UINT, UINT, UINT)
{
    CloseSaverIf(m_saver.Rules().OnKeyPress());
    Default();
}

void CSaverWnd::OnDisplayChange()
{
    // Every top-level window hears of it; the primary's answers for all, once it is known.
    if (m_saver.Primary() == m_hWnd) m_saver.CoverMonitorsAgain();
    Default();
}
