#include "wnd/saver_wnd.h"

CSaverWnd::CSaverWnd(int speed) : CJuliaWnd(Deletion::AfterLastMessage, speed), m_ptInitialMouse{-1, -1} {}

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
    };
    static const fw::MessageMap map = fw::MakeMap(CJuliaWnd::GetThisMessageMap(), entries);
    return &map;
}

BOOL CSaverWnd::CreateFullScreen()
{
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, screen, nullptr);
}

void CSaverWnd::PostClose() { ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0); }

void CSaverWnd::OnSysCommand(UINT id, LPARAM)
{
    // Compared as received, not masked: a neighbouring value is another command.
    if (id == SC_SCREENSAVE || id == SC_CLOSE) return;
    Default();
}

void CSaverWnd::OnDestroy()
{
    ::PostQuitMessage(0);
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

void CSaverWnd::OnActivate(UINT state, CWnd*, BOOL)
{
    if (state == WA_INACTIVE) PostClose();
    Default();
}

void CSaverWnd::OnActivateApp(BOOL active, DWORD)
{
    if (!active) PostClose();
    Default();
}

void CSaverWnd::OnMouseMove(UINT, POINT point)
{
    // The first report only records where the mouse is; the window may get
    // repeats there without any movement.
    if (m_ptInitialMouse.x == -1 && m_ptInitialMouse.y == -1) {
        m_ptInitialMouse = point;
    } else if (point.x != m_ptInitialMouse.x || point.y != m_ptInitialMouse.y) {
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
