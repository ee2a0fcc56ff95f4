// SPDX-License-Identifier: MIT
#include "wnd/julia_wnd.h"

#include "fw/dc.h"
#include "fw/wnd_class.h"
#include "saver/monitor_seed.h"
#include "saver/tick_period.h"
#include "wnd/null_cursor.h"
#include "wnd/window_observer.h"

// The clamps SetTimerPeriodMs names are SetTimer's own.
static_assert(quorvana::kMinTickMs == USER_TIMER_MINIMUM && quorvana::kSetTimerLongestMs == USER_TIMER_MAXIMUM);

LPCWSTR CJuliaWnd::s_lpszFractalClass = nullptr;

// Each window draws its random views from a generator seeded with the
// calendar time at its construction.
CJuliaWnd::CJuliaWnd(Deletion deletion, int speed)
    : CJuliaWnd(deletion, speed, quorvana::SeedFromClock())
{
}

CJuliaWnd::CJuliaWnd(Deletion deletion, int speed, std::uint32_t seed)
    : m_screen(seed),
      m_bAutoDelete(deletion == Deletion::AfterLastMessage ? TRUE : FALSE),
      m_startSpeed(speed < 0 ? 0 : speed)  // no upper bound: above 100 the timer all but stops
{
}

CJuliaWnd::~CJuliaWnd() = default;

const fw::MessageMap* CJuliaWnd::GetThisMessageMap()
{
    static const fw::MessageMapEntry entries[] = {
        fw::OnMessage<WM_CREATE>(&CJuliaWnd::OnCreate),
        fw::OnMessage<WM_TIMER>(&CJuliaWnd::OnTimer),
        fw::OnMessage<WM_PAINT>(&CJuliaWnd::OnPaint),
    };
    static const fw::MessageMap map = fw::MakeMap(CWnd::GetThisMessageMap(), entries);
    return &map;
}

BOOL CJuliaWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent)
{
    // Only this call's width counts; once registered, the class serves every later window.
    if (rect.right - rect.left >= kFractalClassMinWidth && s_lpszFractalClass == nullptr) {
        const HCURSOR nullCursor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_NULLCURSOR));
        s_lpszFractalClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullCursor, nullptr, nullptr);
        window_observer::ClassRegistered(s_lpszFractalClass);
    }
    return CreateEx(exStyle, s_lpszFractalClass, L"", style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent != nullptr ? parent->m_hWnd : nullptr, nullptr, nullptr);
}

void CJuliaWnd::SetSpeed(int speed) { ArmTimer(speed); }

void CJuliaWnd::ArmTimer(int speed)
{
    const UINT period = quorvana::SetTimerPeriodMs(speed);
    ::KillTimer(m_hWnd, kTimerId);
    ::SetTimer(m_hWnd, kTimerId, period, nullptr);
    window_observer::TimerArmed(m_hWnd, period);
}

int CJuliaWnd::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1) return -1;
    window_observer::Made(m_hWnd, m_screen.Renderer(), m_backing.Store());
    ArmTimer(m_startSpeed);
    return 0;
}

void CJuliaWnd::OnTimer(UINT_PTR id)
{
    if (id != kTimerId) {
        Default();
        return;
    }
    // A host that dies while its preview is being made can miss the child it
    // was about to get, leaving it without a parent and nobody to end it.
    if ((::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD) && !::IsWindow(::GetParent(m_hWnd))) {
        DestroyWindow();
        return;
    }
    CClientDC dc(this);
    m_screen.Draw(m_backing.Surface());
    m_backing.PresentChanges(dc.m_hDC);  // the row drawn, the marker of a frame end
}

void CJuliaWnd::OnPaint()
{
    CPaintDC dc(this);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_backing.Resize(client.right - client.left, client.bottom - client.top);
    quorvana::PixelStore& store = m_backing.Store();
    // The repaint works within the region being repainted, as a paint DC would.
    const RECT& paint = dc.m_ps.rcPaint;
    store.SetClip(quorvana::Rect{paint.left, paint.top, paint.right, paint.bottom});
    m_screen.Reshape(m_backing.Surface());
    store.ResetClip();
    m_backing.PresentChanges(dc.m_hDC);  // the region being repainted, now black
}

void CJuliaWnd::PostNcDestroy()
{
    window_observer::Released(*this);
    if (m_bAutoDelete) delete this;
}
