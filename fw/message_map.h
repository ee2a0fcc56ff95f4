// Message maps as data. Each window class keeps one static table of entries
// (message, handler signature, member handler) chained to its base class's
// table; CWnd::OnWndMsg walks the chain from the most derived class and one
// dispatcher unpacks wParam/lParam per signature. An entry is made with
// fw::OnMessage / fw::OnCommand, which pick the signature from the handler's
// type, so a handler of a shape the dispatcher does not know does not compile.
// Handlers whose shape is not listed can take the raw parameters
// (LRESULT (WPARAM, LPARAM)) and unpack them themselves.
#pragma once

#include <cstddef>

#include <windows.h>

class CCmdTarget;
class CScrollBar;
class CWnd;

namespace fw {

enum class HandlerSig {
    Void,             // void ()                      WM_PAINT, WM_DESTROY, …
    IntCreate,        // int (LPCREATESTRUCT)         WM_CREATE
    VoidTimer,        // void (UINT_PTR id)           WM_TIMER
    VoidSysCommand,   // void (UINT id, LPARAM)       WM_SYSCOMMAND
    VoidMouse,        // void (UINT flags, POINT)     WM_MOUSEMOVE, WM_xBUTTONDOWN, …
    VoidKey,          // void (UINT ch, UINT repeat, UINT flags)  WM_KEYDOWN, WM_SYSKEYDOWN, …
    VoidActivate,     // void (UINT state, CWnd* other, BOOL minimized)  WM_ACTIVATE
    VoidActivateApp,  // void (BOOL active, DWORD threadId)           WM_ACTIVATEAPP
    BoolSetCursor,    // BOOL (CWnd* wnd, UINT hitTest, UINT message)  WM_SETCURSOR
    BoolBool,         // BOOL (BOOL)                  WM_NCACTIVATE
    VoidScroll,       // void (UINT code, UINT position, CScrollBar* bar)  WM_HSCROLL, WM_VSCROLL
    CursorQuery,      // HCURSOR ()                   WM_QUERYDRAGICON
    Command,          // void ()                      WM_COMMAND with one id
    Raw,              // LRESULT (WPARAM, LPARAM)     anything else
};

// The handler, as the member of this union that its signature names; the
// dispatcher reads only that member.
union AnyHandler {
    void (CCmdTarget::*vv)();
    int (CCmdTarget::*create)(LPCREATESTRUCT);
    void (CCmdTarget::*timer)(UINT_PTR);
    void (CCmdTarget::*sysCommand)(UINT, LPARAM);
    void (CCmdTarget::*mouse)(UINT, POINT);
    void (CCmdTarget::*key)(UINT, UINT, UINT);
    void (CCmdTarget::*activate)(UINT, CWnd*, BOOL);
    void (CCmdTarget::*activateApp)(BOOL, DWORD);
    BOOL (CCmdTarget::*setCursor)(CWnd*, UINT, UINT);
    BOOL (CCmdTarget::*boolBool)(BOOL);
    void (CCmdTarget::*scroll)(UINT, UINT, CScrollBar*);
    HCURSOR (CCmdTarget::*cursorQuery)();
    LRESULT (CCmdTarget::*raw)(WPARAM, LPARAM);
};

struct MessageMapEntry {
    UINT message;
    UINT id;  // the command id of a WM_COMMAND entry, 0 otherwise
    HandlerSig sig;
    AnyHandler handler;
};

struct MessageMap {
    const MessageMap* base;  // the base class's table, null at the root
    const MessageMapEntry* first;
    const MessageMapEntry* last;  // one past the last entry
};

// The handler must belong to a class derived from CCmdTarget: the static_cast
// to the base's member pointer type checks that at compile time.
template <class T>
MessageMapEntry OnMessage(UINT message, void (T::*h)())
{
    MessageMapEntry entry{message, 0, HandlerSig::Void, {}};
    entry.handler.vv = static_cast<void (CCmdTarget::*)()>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, int (T::*h)(LPCREATESTRUCT))
{
    MessageMapEntry entry{message, 0, HandlerSig::IntCreate, {}};
    entry.handler.create = static_cast<int (CCmdTarget::*)(LPCREATESTRUCT)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, void (T::*h)(UINT_PTR))
{
    MessageMapEntry entry{message, 0, HandlerSig::VoidTimer, {}};
    entry.handler.timer = static_cast<void (CCmdTarget::*)(UINT_PTR)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, void (T::*h)(UINT, LPARAM))
{
    MessageMapEntry entry{message, 0, HandlerSig::VoidSysCommand, {}};
    entry.handler.sysCommand = static_cast<void (CCmdTarget::*)(UINT, LPARAM)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, void (T::*h)(UINT, POINT))
{
    MessageMapEntry entry{message, 0, HandlerSig::VoidMouse, {}};
    entry.handler.mouse = static_cast<void (CCmdTarget::*)(UINT, POINT)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, void (T::*h)(UINT, UINT, UINT))
{
    MessageMapEntry entry{message, 0, HandlerSig::VoidKey, {}};
    entry.handler.key = static_cast<void (CCmdTarget::*)(UINT, UINT, UINT)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, void (T::*h)(UINT, CWnd*, BOOL))
{
    MessageMapEntry entry{message, 0, HandlerSig::VoidActivate, {}};
    entry.handler.activate = static_cast<void (CCmdTarget::*)(UINT, CWnd*, BOOL)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, void (T::*h)(BOOL, DWORD))
{
    MessageMapEntry entry{message, 0, HandlerSig::VoidActivateApp, {}};
    entry.handler.activateApp = static_cast<void (CCmdTarget::*)(BOOL, DWORD)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, BOOL (T::*h)(CWnd*, UINT, UINT))
{
    MessageMapEntry entry{message, 0, HandlerSig::BoolSetCursor, {}};
    entry.handler.setCursor = static_cast<BOOL (CCmdTarget::*)(CWnd*, UINT, UINT)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, BOOL (T::*h)(BOOL))
{
    MessageMapEntry entry{message, 0, HandlerSig::BoolBool, {}};
    entry.handler.boolBool = static_cast<BOOL (CCmdTarget::*)(BOOL)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, void (T::*h)(UINT, UINT, CScrollBar*))
{
    MessageMapEntry entry{message, 0, HandlerSig::VoidScroll, {}};
    entry.handler.scroll = static_cast<void (CCmdTarget::*)(UINT, UINT, CScrollBar*)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, HCURSOR (T::*h)())
{
    MessageMapEntry entry{message, 0, HandlerSig::CursorQuery, {}};
    entry.handler.cursorQuery = static_cast<HCURSOR (CCmdTarget::*)()>(h);
    return entry;
}
template <class T>
MessageMapEntry OnMessage(UINT message, LRESULT (T::*h)(WPARAM, LPARAM))
{
    MessageMapEntry entry{message, 0, HandlerSig::Raw, {}};
    entry.handler.raw = static_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(h);
    return entry;
}
template <class T>
MessageMapEntry OnCommand(UINT id, void (T::*h)())
{
    const UINT message = WM_COMMAND;
    MessageMapEntry entry{message, id, HandlerSig::Command, {}};
    entry.handler.vv = static_cast<void (CCmdTarget::*)()>(h);
    return entry;
}

template <std::size_t N>
constexpr MessageMap MakeMap(const MessageMap* base, const MessageMapEntry (&entries)[N])
{
    return {base, entries, entries + N};
}

// Calls the entry's handler on target with the message's parameters unpacked
// as its signature says, and gives the message's result.
LRESULT Dispatch(CCmdTarget* target, const MessageMapEntry& entry, WPARAM wParam, LPARAM lParam);

}  // namespace fw
