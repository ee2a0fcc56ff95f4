// SPDX-License-Identifier: MIT
#include "fw/wnd.h"

#include <memory>
#include <unordered_map>

#include "fw/win_app.h"
#include "fw/wnd_class.h"

namespace {

struct CurrentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Per GUI thread: the HWND → object bindings, the object being created, the
// message being handled (for Default) and the temporary wrappers.
struct ThreadState {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
    CWnd* creating = nullptr;
    CurrentMessage current;
    int dispatching = 0;  // messages being handled right now, nested ones included
};

ThreadState& State()
{
    thread_local ThreadState state;
    return state;
}

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) {
        // The object goes before its window: unbind first so that the
        // window's last messages find no object.
        const HWND hWnd = m_hWnd;
        Unbind();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    const auto& map = State().permanent;
    const auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr) return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd)) return wnd;
    auto& temporary = State().temporary[hWnd];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = hWnd;
    }
    return temporary.get();
}

void CWnd::DeleteTempMap()
{
    // A handler further up the stack may still hold a temporary.
    if (State().dispatching > 0) return;
    auto& temporary = State().temporary;
    for (auto& [hWnd, wnd] : temporary) wnd->m_hWnd = nullptr;  // not ours to destroy
    temporary.clear();
}

void CWnd::Bind(HWND hWnd)
{
    m_hWnd = hWnd;
    State().permanent[hWnd] = this;
}

void CWnd::Unbind()
{
    if (m_pfnSuper != nullptr) {
        if (::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WndProc))
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    State().permanent.erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr) return FALSE;
    Bind(hWnd);
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd)) return FALSE;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc)));
    if (m_pfnSuper == nullptr) {  // not a window of this process
        Unbind();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, LPVOID param)
{
    if (className == nullptr) className = fw::DefaultWndClass();
    ThreadState& state = State();
    state.creating = this;
    // Held open so that a window destroyed during its own creation is not
    // cleaned up while this call still runs.
    ++m_dispatchDepth;
    const HWND hWnd = ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                                        ::GetModuleHandleW(nullptr), param);
    if (state.creating == this) {
        // No message ever reached the object: it is as if the window came and went.
        state.creating = nullptr;
        m_ncDestroyed = true;
    }
    const bool created = hWnd != nullptr && m_hWnd == hWnd;
    if (!created) m_ncDestroyed = true;
    EndDispatch();  // may delete this
    return created ? TRUE : FALSE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::Default()
{
    const CurrentMessage& msg = State().current;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const fw::MessageMap* CWnd::GetThisMessageMap()
{
    static const fw::MessageMap map{CCmdTarget::GetThisMessageMap(), nullptr, nullptr};
    return &map;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (const fw::MessageMapEntry* entry = FindEntry(message, wParam)) {
        *result = fw::Dispatch(this, *entry, wParam, lParam);
        return TRUE;
    }
    if (message == WM_COMMAND && lParam == 0) {
        // Menu and accelerator commands nobody in the window handled go to the application.
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->OnCmdMsg(LOWORD(wParam))) {
            *result = 0;
            return TRUE;
        }
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    Default();
}

void CWnd::PostNcDestroy() {}

CWnd* CWnd::GetDlgItem(int id) const
{
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    HWND center = alternateOwner != nullptr ? alternateOwner->m_hWnd : nullptr;
    if (alternateOwner == nullptr)
        center = (style & WS_CHILD) != 0 ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);

    // Screen coordinates for a popup, the parent's client coordinates for a child.
    RECT area{};    // the window must stay inside this
    RECT target{};  // the window's centre goes to this one's centre
    if ((style & WS_CHILD) == 0) {
        if (center != nullptr) {
            // An invisible or minimised owner is no place to centre on.
            const LONG centerStyle = ::GetWindowLongW(center, GWL_STYLE);
            if ((centerStyle & WS_VISIBLE) == 0 || (centerStyle & WS_MINIMIZE) != 0) center = nullptr;
        }
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoW(::MonitorFromWindow(center != nullptr ? center : m_hWnd, MONITOR_DEFAULTTONEAREST),
                          &monitor);
        area = monitor.rcWork;
        if (center != nullptr)
            ::GetWindowRect(center, &target);
        else
            target = area;
    } else {
        const HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        if (center == nullptr) center = parent;
        ::GetClientRect(center, &target);
        ::MapWindowPoints(center, parent, reinterpret_cast<POINT*>(&target), 2);
    }

    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int x = (target.left + target.right) / 2 - width / 2;
    int y = (target.top + target.bottom) / 2 - height / 2;
    if (x + width > area.right) x = area.right - width;
    if (x < area.left) x = area.left;
    if (y + height > area.bottom) y = area.bottom - height;
    if (y < area.top) y = area.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = State();
    const CurrentMessage saved = state.current;
    state.current = {message, wParam, lParam};
    ++state.dispatching;
    ++m_dispatchDepth;
    const HWND hWnd = m_hWnd;
    const LRESULT result = WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && m_hWnd == hWnd && hWnd != nullptr) {
        Unbind();
        m_ncDestroyed = true;
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd == this) {
            app->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
    }
    state.current = saved;
    --state.dispatching;
    EndDispatch();  // may delete this
    return result;
}

void CWnd::EndDispatch()
{
    if (--m_dispatchDepth == 0 && m_ncDestroyed) {
        m_ncDestroyed = false;
        PostNcDestroy();
    }
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (wnd == nullptr) {
        ThreadState& state = State();
        if (state.creating == nullptr) return ::DefWindowProcW(hWnd, message, wParam, lParam);
        wnd = state.creating;
        state.creating = nullptr;
        wnd->Bind(hWnd);
    }
    return wnd->Dispatch(message, wParam, lParam);
}
