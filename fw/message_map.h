// SPDX-License-Identifier: MIT
// Message maps as data. Each window class keeps one static table of entries
// (message, command id, member handler) chained to its base class's table;
// CWnd::OnWndMsg walks the chain from the most derived class and calls the
// entry, which unpacks wParam/lParam as its message's cracker says.
//
// The compiler checks the wiring: each message the framework cracks has one
// cracker below, a single definition that states both the handler's
// signature and how wParam/lParam unpack into it, and
// fw::OnMessage<WM_X>(&C::Handler) compiles only when the handler has
// exactly that signature. So WM_KEYDOWN cannot be wired to a mouse handler,
// and a message cannot borrow the unpacking of another that happens to share
// its signature. Commands take void(); a registered message (a number known
// only at run time) takes the raw parameters and says so at the entry, with
// fw::OnRegisteredMessage.
//
// To crack a new message: add its Cracker line, the signature first, then
// Unpack giving that signature's parameters from wParam and lParam.
#pragma once

#include <bit>
#include <cstddef>
#include <tuple>
#include <type_traits>

#include <windows.h>

class CCmdTarget;
class CScrollBar;
class CWnd;

namespace fw {

// What the crackers hand over for a window handle: its framework object (a
// temporary one for a window the framework did not create; null for none),
// and for a scroll bar control the CScrollBar bound to it (null for a
// window's own scroll bar or an unbound control). In cmd_target.cpp, where
// both classes are known.
CWnd* WndFromHandle(HWND window);
CScrollBar* BoundScrollBar(HWND control);

// Each coordinate is the signed 16-bit half of lParam. (Not windowsx.h's
// GET_X_LPARAM: that header's macros collide with CWnd's member names.)
inline POINT PointOf(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

// The base of every cracker: Handler is the signature a handler must have,
// Args its parameters as Unpack gives them.
template <class Signature>
struct Shape;
template <class R, class... A>
struct Shape<R(A...)> {
    using Handler = R(A...);
    using Args = std::tuple<A...>;
};

// One cracker per message; a message without one has no OnMessage entry.
template <UINT Message>
struct Cracker;
template <> struct Cracker<WM_CREATE> : Shape<int(LPCREATESTRUCT cs)> {
    static Args Unpack(WPARAM, LPARAM l) { return {reinterpret_cast<LPCREATESTRUCT>(l)}; }
};
template <> struct Cracker<WM_DESTROY> : Shape<void()> {
    static Args Unpack(WPARAM, LPARAM) { return {}; }
};
template <> struct Cracker<WM_PAINT> : Shape<void()> {
    static Args Unpack(WPARAM, LPARAM) { return {}; }
};
template <> struct Cracker<WM_TIMER> : Shape<void(UINT_PTR id)> {
    static Args Unpack(WPARAM w, LPARAM) { return {w}; }
};
template <> struct Cracker<WM_INITDIALOG> : Shape<BOOL()> {
    static Args Unpack(WPARAM, LPARAM) { return {}; }
};
template <> struct Cracker<WM_SYSCOMMAND> : Shape<void(UINT id, LPARAM l)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {static_cast<UINT>(w), l}; }
};
template <> struct Cracker<WM_HSCROLL> : Shape<void(UINT code, UINT position, CScrollBar* bar)> {
    static Args Unpack(WPARAM w, LPARAM l)
    {
        return {LOWORD(w), HIWORD(w), BoundScrollBar(reinterpret_cast<HWND>(l))};
    }
};
template <> struct Cracker<WM_QUERYDRAGICON> : Shape<HCURSOR()> {
    static Args Unpack(WPARAM, LPARAM) { return {}; }
};
template <> struct Cracker<WM_SETCURSOR> : Shape<BOOL(CWnd* wnd, UINT hitTest, UINT message)> {
    static Args Unpack(WPARAM w, LPARAM l)
    {
        return {WndFromHandle(reinterpret_cast<HWND>(w)), LOWORD(l), HIWORD(l)};
    }
};
template <> struct Cracker<WM_NCACTIVATE> : Shape<BOOL(BOOL active)> {
    static Args Unpack(WPARAM w, LPARAM) { return {static_cast<BOOL>(w)}; }
};
template <> struct Cracker<WM_ACTIVATE> : Shape<void(UINT state, CWnd* other, BOOL minimized)> {
    static Args Unpack(WPARAM w, LPARAM l)
    {
        return {LOWORD(w), WndFromHandle(reinterpret_cast<HWND>(l)), HIWORD(w) != 0};
    }
};
template <> struct Cracker<WM_ACTIVATEAPP> : Shape<void(BOOL active, DWORD threadId)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {static_cast<BOOL>(w), static_cast<DWORD>(l)}; }
};
template <> struct Cracker<WM_MOUSEMOVE> : Shape<void(UINT keys, POINT point)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {static_cast<UINT>(w), PointOf(l)}; }
};
template <> struct Cracker<WM_LBUTTONDOWN> : Shape<void(UINT keys, POINT point)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {static_cast<UINT>(w), PointOf(l)}; }
};
template <> struct Cracker<WM_MBUTTONDOWN> : Shape<void(UINT keys, POINT point)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {static_cast<UINT>(w), PointOf(l)}; }
};
template <> struct Cracker<WM_RBUTTONDOWN> : Shape<void(UINT keys, POINT point)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {static_cast<UINT>(w), PointOf(l)}; }
};
// The pointer has left the client area of a window that asked TrackMouseEvent to say so.
template <> struct Cracker<WM_MOUSELEAVE> : Shape<void()> {
    static Args Unpack(WPARAM, LPARAM) { return {}; }
};
// The keys in wParam's low word, the wheel's turn (a multiple of WHEEL_DELTA) in its high word; the point is the screen's.
template <> struct Cracker<WM_MOUSEWHEEL> : Shape<void(UINT keys, short turn, POINT screenPoint)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {LOWORD(w), static_cast<short>(HIWORD(w)), PointOf(l)}; }
};
template <> struct Cracker<WM_KEYDOWN> : Shape<void(UINT key, UINT repeat, UINT flags)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {static_cast<UINT>(w), LOWORD(l), HIWORD(l)}; }
};
template <> struct Cracker<WM_SYSKEYDOWN> : Shape<void(UINT key, UINT repeat, UINT flags)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {static_cast<UINT>(w), LOWORD(l), HIWORD(l)}; }
};
// The new layout is asked for, not unpacked.
template <> struct Cracker<WM_DISPLAYCHANGE> : Shape<void()> {
    static Args Unpack(WPARAM, LPARAM) { return {}; }
};

// The entries that are not a cracked message: a command (WM_COMMAND with its
// id), and a registered message, whose handler unpacks it.
struct CommandCracker : Shape<void()> {
    static Args Unpack(WPARAM, LPARAM) { return {}; }
};
struct RawCracker : Shape<LRESULT(WPARAM wParam, LPARAM lParam)> {
    static Args Unpack(WPARAM w, LPARAM l) { return {w, l}; }
};

// Whether a member handler has exactly the signature that Message's cracker
// states (and so reads what that message carries).
template <UINT Message, class MemberHandler>
inline constexpr bool HandlerFits = false;
template <UINT Message, class T, class R, class... A>
inline constexpr bool HandlerFits<Message, R (T::*)(A...)> =
    std::is_same_v<R(A...), typename Cracker<Message>::Handler>;

// A handler as an entry keeps it: the bits of any member of CCmdTarget
// (every such pointer has one size), turned back into its own type by the
// entry's call, which alone knows it.
using StoredHandler = void (CCmdTarget::*)();
using EntryCall = LRESULT (*)(CCmdTarget* target, StoredHandler handler, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;
    UINT id;  // the command id of a WM_COMMAND entry, 0 otherwise
    StoredHandler handler;
    EntryCall call;
};

struct MessageMap {
    const MessageMap* base;  // the base class's table, null at the root
    const MessageMapEntry* first;
    const MessageMapEntry* last;  // one past the last entry
};

// The message's result from the handler's: 0 for none, a handle as its bits.
template <class R>
LRESULT ResultOf(R value)
{
    if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<LRESULT>(value);
    else
        return static_cast<LRESULT>(value);
}

// Calls the handler, stored as Crack's signature in CCmdTarget, with the
// parameters Crack unpacks.
template <class Crack, class R, class... A>
LRESULT CallCracked(CCmdTarget* target, StoredHandler stored, WPARAM wParam, LPARAM lParam)
{
    const auto handler = std::bit_cast<R (CCmdTarget::*)(A...)>(stored);
    const auto call = [&](A... args) { return (target->*handler)(args...); };
    if constexpr (std::is_void_v<R>) {
        std::apply(call, Crack::Unpack(wParam, lParam));
        return 0;
    } else {
        return ResultOf(std::apply(call, Crack::Unpack(wParam, lParam)));
    }
}

// An entry for handler, a member of a class derived from CCmdTarget (the
// static_cast checks that) whose signature is Crack's.
template <class Crack, class T, class R, class... A>
MessageMapEntry MakeEntry(UINT message, UINT id, R (T::*handler)(A...))
{
    static_assert(std::is_same_v<R(A...), typename Crack::Handler>, "the handler's signature does not fit the message");
    const auto base = static_cast<R (CCmdTarget::*)(A...)>(handler);
    return {message, id, std::bit_cast<StoredHandler>(base), &CallCracked<Crack, R, A...>};
}

// Message's entry for handler, whose signature must be the one its cracker states.
template <UINT Message, class T, class R, class... A>
MessageMapEntry OnMessage(R (T::*handler)(A...))
{
    return MakeEntry<Cracker<Message>>(Message, 0, handler);
}
template <class T>
MessageMapEntry OnCommand(UINT id, void (T::*handler)())
{
    return MakeEntry<CommandCracker>(WM_COMMAND, id, handler);
}
// A message registered with RegisterWindowMessage; the handler unpacks it.
template <class T>
MessageMapEntry OnRegisteredMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return MakeEntry<RawCracker>(message, 0, handler);
}

template <std::size_t N>
constexpr MessageMap MakeMap(const MessageMap* base, const MessageMapEntry (&entries)[N])
{
    return {base, entries, entries + N};
}

// Calls the entry's handler on target with the message's parameters unpacked
// as its cracker says, and gives the message's result.
inline LRESULT Dispatch(CCmdTarget* target, const MessageMapEntry& entry, WPARAM wParam, LPARAM lParam)
{
    return entry.call(target, entry.handler, wParam, lParam);
}

}  // namespace fw
