// Message maps as data. Each window class keeps one static table of entries
// (message, command id, member handler) chained to its base class's table;
// CWnd::OnWndMsg walks the chain from the most derived class and the
// dispatcher unpacks wParam/lParam as the handler's shape asks. An entry is made with
// fw::OnMessage / fw::OnCommand, which keep the handler with its own type, so
// a handler of a shape the dispatcher does not know does not compile.
// Handlers whose shape is not listed can take the raw parameters
// (LRESULT (WPARAM, LPARAM)) and unpack them themselves.
#pragma once

#include <cstddef>
#include <variant>

#include <windows.h>

class CCmdTarget;
class CScrollBar;
class CWnd;

namespace fw {

// A handler of any shape the dispatcher knows, as a member of CCmdTarget.
using AnyHandler = std::variant<
    void (CCmdTarget::*)(),                                           // WM_PAINT, WM_DESTROY, WM_COMMAND, …
    int (CCmdTarget::*)(LPCREATESTRUCT),                              // WM_CREATE
    void (CCmdTarget::*)(UINT_PTR id),                                // WM_TIMER
    void (CCmdTarget::*)(UINT id, LPARAM),                            // WM_SYSCOMMAND
    void (CCmdTarget::*)(UINT flags, POINT),                          // WM_MOUSEMOVE, WM_xBUTTONDOWN, …
    void (CCmdTarget::*)(UINT ch, UINT repeat, UINT flags),           // WM_KEYDOWN, WM_SYSKEYDOWN, …
    void (CCmdTarget::*)(UINT state, CWnd* other, BOOL minimized),    // WM_ACTIVATE
    void (CCmdTarget::*)(BOOL active, DWORD threadId),                // WM_ACTIVATEAPP
    BOOL (CCmdTarget::*)(CWnd* wnd, UINT hitTest, UINT message),      // WM_SETCURSOR
    BOOL (CCmdTarget::*)(BOOL),                                       // WM_NCACTIVATE
    void (CCmdTarget::*)(UINT code, UINT position, CScrollBar* bar),  // WM_HSCROLL, WM_VSCROLL
    HCURSOR (CCmdTarget::*)(),                                        // WM_QUERYDRAGICON
    LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>;                         // anything else

struct MessageMapEntry {
    UINT message;
    UINT id;  // the command id of a WM_COMMAND entry, 0 otherwise
    AnyHandler handler;
};

struct MessageMap {
    const MessageMap* base;  // the base class's table, null at the root
    const MessageMapEntry* first;
    const MessageMapEntry* last;  // one past the last entry
};

// The handler must belong to a class derived from CCmdTarget (the
// static_cast checks that) and have one of the shapes above (the variant
// takes no other).
template <class T, class R, class... Args>
MessageMapEntry OnMessage(UINT message, R (T::*handler)(Args...))
{
    return {message, 0, static_cast<R (CCmdTarget::*)(Args...)>(handler)};
}
template <class T>
MessageMapEntry OnCommand(UINT id, void (T::*handler)())
{
    return {WM_COMMAND, id, static_cast<void (CCmdTarget::*)()>(handler)};
}

template <std::size_t N>
constexpr MessageMap MakeMap(const MessageMap* base, const MessageMapEntry (&entries)[N])
{
    return {base, entries, entries + N};
}

// Calls the entry's handler on target with the message's parameters unpacked
// as its shape asks, and gives the message's result.
LRESULT Dispatch(CCmdTarget* target, const MessageMapEntry& entry, WPARAM wParam, LPARAM lParam);

}  // namespace fw
