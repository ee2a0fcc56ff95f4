// SPDX-License-Identifier: MIT
// When a full-screen saver closes: at the first sign of the user on any of
// its windows. Every front end turns its platform's input into these calls
// and closes all its windows when an answer says so; the rules keep no
// platform value and no clock of their own.
//
// Signs of the user: a key press; a press of the primary, middle or
// secondary button; a touch; the pointer at any place but the first one
// reported; the keyboard focus gone elsewhere. Not: releases, the wheel and
// extra buttons (a hand resting on a mouse brushes them), the first pointer
// report (it only records where the pointer is) and later reports at that
// same place. Positions are in one space for all the saver's windows (the
// screen's), so the first report on one window holds for all of them.
//
// The first pointer is one policy with two inputs a platform may give: the
// place of the pointer as the saver opens (Windows can ask; its first
// WM_MOUSEMOVE may wait behind a busy saver and merge with the user's
// move), and a time until which reports only record (under Xwayland the
// reports just after a window appears may still be the pointer catching up
// with where it is). A change of the monitors' layout makes the next report
// a first one again: positions before and after it are not comparable.
//
// A loss of focus is checked again a moment later: a compositor may take the
// focus from a new full-screen window and give it back at once, and focus
// may pass between the saver's own windows. The answer is then "check again
// at T"; the front end's loop keeps that deadline and, when it comes, asks
// its platform where the focus is and calls OnFocusCheck. A platform that
// names the window the focus went to (Windows) checks at once.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <utility>

namespace quorvana {

class CloseAnswer {
public:
    using Clock = std::chrono::steady_clock;

    static CloseAnswer Stay() { return CloseAnswer(What::Stay, {}); }
    static CloseAnswer Close() { return CloseAnswer(What::Close, {}); }
    static CloseAnswer CheckAgainAt(Clock::time_point when) { return CloseAnswer(What::CheckAgain, when); }

    bool Closes() const { return m_what == What::Close; }
    // When to call CloseRules::OnFocusCheck; none unless the answer asks for it.
    std::optional<Clock::time_point> CheckAt() const
    {
        return m_what == What::CheckAgain ? std::optional(m_when) : std::nullopt;
    }

private:
    enum class What { Stay, Close, CheckAgain };
    CloseAnswer(What what, Clock::time_point when) : m_what(what), m_when(when) {}

    What m_what;
    Clock::time_point m_when;
};

class CloseRules {
public:
    using Clock = CloseAnswer::Clock;
    // How long a lost focus may stay away before it counts.
    static constexpr std::chrono::milliseconds kFocusGrace{100};

    enum class Button {
        Primary,
        Middle,
        Secondary,
        Other,  // the wheel, its horizontal form, side and extra buttons
    };

    CloseAnswer OnKeyPress() const { return CloseAnswer::Close(); }
    CloseAnswer OnButtonPress(Button button) const;
    CloseAnswer OnTouch() const { return CloseAnswer::Close(); }
    // The pointer is at (x, y) as the saver opens: the first report.
    void PointerAtStart(int x, int y) { m_firstPointer = Place{kScreen, x, y}; }
    // Reports before `until` only record where the pointer is.
    void PointerSettlesUntil(Clock::time_point until) { m_settles = until; }
    // Where a position is measured: the screen's one space, or (Wayland) a
    // surface's own, whose positions compare only with its own: a report in
    // another space than the first one's is the pointer gone elsewhere.
    using Space = std::uintptr_t;
    static constexpr Space kScreen = 0;
    // The pointer reported at (x, y) in `space` at `now`.
    CloseAnswer OnPointerAt(int x, int y, Clock::time_point now, Space space = kScreen);
    // The monitors' layout changed: the next report records again.
    void LayoutChanged() { m_firstPointer.reset(); }
    // The focus left one of the saver's windows at `now`. Losses before the
    // check share its deadline.
    CloseAnswer OnFocusLost(Clock::time_point now);
    // Where the focus is at the deadline (or at once, where the platform names it).
    CloseAnswer OnFocusCheck(bool focusWithinSaver);

private:
    struct Place {
        Space space;
        int x, y;
        bool operator==(const Place&) const = default;
    };
    std::optional<Place> m_firstPointer;
    std::optional<Clock::time_point> m_settles;
    std::optional<Clock::time_point> m_focusCheck;
};

}  // namespace quorvana
