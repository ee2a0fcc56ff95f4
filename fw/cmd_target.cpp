// SPDX-License-Identifier: MIT
#include "fw/cmd_target.h"

#include "fw/scroll_bar.h"
#include "fw/wnd.h"

const fw::MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const fw::MessageMap map{nullptr, nullptr, nullptr};
    return &map;
}

const fw::MessageMapEntry* CCmdTarget::FindEntry(UINT message, WPARAM wParam) const
{
    for (const fw::MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const fw::MessageMapEntry* entry = map->first; entry != map->last; ++entry) {
            if (entry->message != message) continue;
            if (message == WM_COMMAND && entry->id != LOWORD(wParam)) continue;
            return entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id)
{
    const fw::MessageMapEntry* entry = FindEntry(WM_COMMAND, id);
    if (entry == nullptr) return FALSE;
    fw::Dispatch(this, *entry, id, 0);
    return TRUE;
}

namespace fw {

namespace {

// One unpacking of wParam/lParam per handler shape; the message's result.
using Target = CCmdTarget*;

LRESULT Call(Target t, void (CCmdTarget::*h)(), WPARAM, LPARAM)
{
    (t->*h)();
    return 0;
}

LRESULT Call(Target t, BOOL (CCmdTarget::*h)(), WPARAM, LPARAM)
{
    return (t->*h)();
}

LRESULT Call(Target t, int (CCmdTarget::*h)(LPCREATESTRUCT), WPARAM, LPARAM lParam)
{
    return (t->*h)(reinterpret_cast<LPCREATESTRUCT>(lParam));
}

LRESULT Call(Target t, void (CCmdTarget::*h)(UINT_PTR), WPARAM wParam, LPARAM)
{
    (t->*h)(wParam);
    return 0;
}

LRESULT Call(Target t, void (CCmdTarget::*h)(UINT, LPARAM), WPARAM wParam, LPARAM lParam)
{
    (t->*h)(static_cast<UINT>(wParam), lParam);
    return 0;
}

LRESULT Call(Target t, void (CCmdTarget::*h)(UINT, POINT), WPARAM wParam, LPARAM lParam)
{
    // Each coordinate is the signed 16-bit half of lParam. (Not windowsx.h's
    // GET_X_LPARAM: that header's macros collide with CWnd's member names.)
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    (t->*h)(static_cast<UINT>(wParam), point);
    return 0;
}

LRESULT Call(Target t, void (CCmdTarget::*h)(UINT, UINT, UINT), WPARAM wParam, LPARAM lParam)
{
    (t->*h)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT Call(Target t, void (CCmdTarget::*h)(UINT, CWnd*, BOOL), WPARAM wParam, LPARAM lParam)
{
    (t->*h)(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam) != 0);
    return 0;
}

LRESULT Call(Target t, void (CCmdTarget::*h)(BOOL, DWORD), WPARAM wParam, LPARAM lParam)
{
    (t->*h)(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
    return 0;
}

LRESULT Call(Target t, BOOL (CCmdTarget::*h)(CWnd*, UINT, UINT), WPARAM wParam, LPARAM lParam)
{
    return (t->*h)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
}

LRESULT Call(Target t, BOOL (CCmdTarget::*h)(BOOL), WPARAM wParam, LPARAM)
{
    return (t->*h)(static_cast<BOOL>(wParam));
}

LRESULT Call(Target t, void (CCmdTarget::*h)(UINT, UINT, CScrollBar*), WPARAM wParam, LPARAM lParam)
{
    // The sending control as its CScrollBar object when one is bound to
    // it; null for a window's own scroll bar (lParam 0) or an unbound control.
    auto* bar = dynamic_cast<CScrollBar*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)));
    (t->*h)(LOWORD(wParam), HIWORD(wParam), bar);
    return 0;
}

LRESULT Call(Target t, HCURSOR (CCmdTarget::*h)(), WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>((t->*h)());
}

LRESULT Call(Target t, LRESULT (CCmdTarget::*h)(WPARAM, LPARAM), WPARAM wParam, LPARAM lParam)
{
    return (t->*h)(wParam, lParam);
}

}  // namespace

LRESULT Dispatch(CCmdTarget* target, const MessageMapEntry& entry, WPARAM wParam, LPARAM lParam)
{
    return std::visit([&](auto handler) { return Call(target, handler, wParam, lParam); }, entry.handler);
}

}  // namespace fw
