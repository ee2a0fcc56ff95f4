// SPDX-License-Identifier: MIT
// Message maps as data. Each window class keeps one static table of entries
// (message, command id, member handler) chained to its base class's table;
// CWnd::OnWndMsg walks the chain from the most derived class and the
// dispatcher unpacks wParam/lParam as the handler's shape asks.
//
// The compiler checks the wiring: each message the framework cracks has one
// handler shape (Cracker below), and fw::OnMessage<WM_X>(&C::Handler)
// compiles only when the handler has exactly that shape, so WM_KEYDOWN
// cannot be wired to a mouse handler. Commands take void(); a registered
// message (a number known only at run time) takes the raw parameters and
// says so at the entry, with fw::OnRegisteredMessage.
#pragma once

#include <cstddef>
#include <type_traits>
#include <variant>

#include <windows.h>

class CCmdTarget;
class CScrollBar;
class CWnd;

namespace fw {

// A handler of any shape the dispatcher knows, as a member of CCmdTarget.
using AnyHandler = std::variant<
    void (CCmdTarget::*)(),                                           // WM_PAINT, WM_DESTROY, WM_COMMAND
    BOOL (CCmdTarget::*)(),                                           // WM_INITDIALOG
    int (CCmdTarget::*)(LPCREATESTRUCT),                              // WM_CREATE
    void (CCmdTarget::*)(UINT_PTR id),                                // WM_TIMER
    void (CCmdTarget::*)(UINT id, LPARAM),                            // WM_SYSCOMMAND
    void (CCmdTarget::*)(UINT flags, POINT),                          // WM_MOUSEMOVE, WM_xBUTTONDOWN
    void (CCmdTarget::*)(UINT ch, UINT repeat, UINT flags),           // WM_KEYDOWN, WM_SYSKEYDOWN
    void (CCmdTarget::*)(UINT state, CWnd* other, BOOL minimized),    // WM_ACTIVATE
    void (CCmdTarget::*)(BOOL active, DWORD threadId),                // WM_ACTIVATEAPP
    BOOL (CCmdTarget::*)(CWnd* wnd, UINT hitTest, UINT message),      // WM_SETCURSOR
    BOOL (CCmdTarget::*)(BOOL),                                       // WM_NCACTIVATE
    void (CCmdTarget::*)(UINT code, UINT position, CScrollBar* bar),  // WM_HSCROLL
    HCURSOR (CCmdTarget::*)(),                                        // WM_QUERYDRAGICON
    LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>;                         // registered messages

// The one handler shape of each message the framework cracks. A message
// without a cracker has no OnMessage entry: add its cracker here (and its
// unpacking in cmd_target.cpp) first.
template <UINT Message>
struct Cracker;
template <class Shape_>
struct ShapeIs {
    using Shape = Shape_;
};
template <> struct Cracker<WM_CREATE> : ShapeIs<int(LPCREATESTRUCT)> {};
template <> struct Cracker<WM_DESTROY> : ShapeIs<void()> {};
template <> struct Cracker<WM_PAINT> : ShapeIs<void()> {};
template <> struct Cracker<WM_TIMER> : ShapeIs<void(UINT_PTR)> {};
template <> struct Cracker<WM_INITDIALOG> : ShapeIs<BOOL()> {};
template <> struct Cracker<WM_SYSCOMMAND> : ShapeIs<void(UINT, LPARAM)> {};
template <> struct Cracker<WM_HSCROLL> : ShapeIs<void(UINT, UINT, CScrollBar*)> {};
template <> struct Cracker<WM_QUERYDRAGICON> : ShapeIs<HCURSOR()> {};
template <> struct Cracker<WM_SETCURSOR> : ShapeIs<BOOL(CWnd*, UINT, UINT)> {};
template <> struct Cracker<WM_NCACTIVATE> : ShapeIs<BOOL(BOOL)> {};
template <> struct Cracker<WM_ACTIVATE> : ShapeIs<void(UINT, CWnd*, BOOL)> {};
template <> struct Cracker<WM_ACTIVATEAPP> : ShapeIs<void(BOOL, DWORD)> {};
template <> struct Cracker<WM_MOUSEMOVE> : ShapeIs<void(UINT, POINT)> {};
template <> struct Cracker<WM_LBUTTONDOWN> : ShapeIs<void(UINT, POINT)> {};
template <> struct Cracker<WM_MBUTTONDOWN> : ShapeIs<void(UINT, POINT)> {};
template <> struct Cracker<WM_RBUTTONDOWN> : ShapeIs<void(UINT, POINT)> {};
template <> struct Cracker<WM_KEYDOWN> : ShapeIs<void(UINT, UINT, UINT)> {};
template <> struct Cracker<WM_SYSKEYDOWN> : ShapeIs<void(UINT, UINT, UINT)> {};
template <> struct Cracker<WM_DISPLAYCHANGE> : ShapeIs<void()> {};  // the new layout is asked for, not unpacked

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

// Message's entry for handler, a member of a class derived from
// CCmdTarget (the static_cast checks that) whose shape is the message's.
template <UINT Message, class T, class R, class... Args>
MessageMapEntry OnMessage(R (T::*handler)(Args...))
{
    static_assert(std::is_same_v<R(Args...), typename Cracker<Message>::Shape>,
                  "the handler's signature does not fit the message");
    return {Message, 0, static_cast<R (CCmdTarget::*)(Args...)>(handler)};
}
template <class T>
MessageMapEntry OnCommand(UINT id, void (T::*handler)())
{
    return {WM_COMMAND, id, static_cast<void (CCmdTarget::*)()>(handler)};
}
// A message registered with RegisterWindowMessage; the handler unpacks it.
template <class T>
MessageMapEntry OnRegisteredMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return {message, 0, static_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(handler)};
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
