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

CWnd* WndFromHandle(HWND window) { return CWnd::FromHandle(window); }

CScrollBar* BoundScrollBar(HWND control)
{
    return dynamic_cast<CScrollBar*>(CWnd::FromHandlePermanent(control));
}

}  // namespace fw
