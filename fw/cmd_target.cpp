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

LRESULT Dispatch(CCmdTarget* target, const MessageMapEntry& entry, WPARAM wParam, LPARAM lParam)
{
    switch (entry.sig) {
    case HandlerSig::Void:
    case HandlerSig::Command:
        (target->*entry.handler.vv)();
        return 0;
    case HandlerSig::IntCreate:
        return (target->*entry.handler.create)(
            reinterpret_cast<LPCREATESTRUCT>(lParam));
    case HandlerSig::VoidTimer:
        (target->*entry.handler.timer)(wParam);
        return 0;
    case HandlerSig::VoidSysCommand:
        (target->*entry.handler.sysCommand)(static_cast<UINT>(wParam), lParam);
        return 0;
    case HandlerSig::VoidMouse: {
        // Each coordinate is the signed 16-bit half of lParam. (Not windowsx.h's
        // GET_X_LPARAM: that header's macros collide with CWnd's member names.)
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        (target->*entry.handler.mouse)(static_cast<UINT>(wParam), point);
        return 0;
    }
    case HandlerSig::VoidKey:
        (target->*entry.handler.key)(
            static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case HandlerSig::VoidActivate:
        (target->*entry.handler.activate)(
            LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam) != 0);
        return 0;
    case HandlerSig::VoidActivateApp:
        (target->*entry.handler.activateApp)(static_cast<BOOL>(wParam),
                                                                             static_cast<DWORD>(lParam));
        return 0;
    case HandlerSig::BoolSetCursor:
        return (target->*entry.handler.setCursor)(
            CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
    case HandlerSig::BoolBool:
        return (target->*entry.handler.boolBool)(static_cast<BOOL>(wParam));
    case HandlerSig::VoidScroll: {
        // The sending control as its CScrollBar object when one is bound to
        // it; null for a window's own scroll bar (lParam 0) or an unbound control.
        auto* bar = dynamic_cast<CScrollBar*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)));
        (target->*entry.handler.scroll)(LOWORD(wParam), HIWORD(wParam), bar);
        return 0;
    }
    case HandlerSig::CursorQuery:
        return reinterpret_cast<LRESULT>((target->*entry.handler.cursorQuery)());
    case HandlerSig::Raw:
        return (target->*entry.handler.raw)(wParam, lParam);
    }
    return 0;
}

}  // namespace fw
