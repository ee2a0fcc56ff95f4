// SPDX-License-Identifier: MIT
// The full-screen saver: one own window over each monitor, all closed at
// the first sign of the user at any of them. It owns the windows and their
// one set of close rules (saver/close_rules.h), which it feeds with the
// windows' input (x11/input_translation.h); a lost focus is checked again at
// the deadline the rules answer, by asking the server where the focus is.
//
// It follows the monitors: when RandR reports a new layout (a monitor
// added, removed or resized, `xrandr -s`), a window whose monitor is still
// there keeps its picture, a gone monitor's window goes, and each new
// monitor gets a window with a seed never used before in this run (the
// Windows saver does the same on WM_DISPLAYCHANGE, saver/monitor_layout.h).
// The primary monitor's window comes first: it takes the keyboard focus and
// its pictures count for --pictures.
//
// A window manager may not put a full-screen window on the monitor asked
// for (Xwayland's under sway or Weston stack them all on one output): a
// moment after the windows appear the saver looks where they are and says
// once, in one line, which monitors it could not cover; it goes on over
// those it does. Under Xwayland every window takes the keyboard, since the
// compositor, not the saver, chooses which one has it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "common/failure.h"
#include "saver/close_rules.h"
#include "saver/saver_core.h"
#include "x11/julia_window.h"
#include "x11/x11_saver.h"
#include "x11/x_connection.h"
#include "x11/x_display_client.h"

namespace quorvana {

class FullScreenSaver final : public XDisplayClient {
public:
    // The windows over the monitors of x's screen, mapped.
    [[nodiscard]] static Result<std::unique_ptr<FullScreenSaver>> Create(const XConnection& x,
                                                                         const X11SaverSettings& settings);

    Result<Next> OnEvent(XEvent& event) override;
    std::optional<Clock::time_point> Deadline() const override;
    Result<Next> OnDeadline(Clock::time_point now) override;

private:
    struct Cover {
        Rect monitor;
        std::unique_ptr<JuliaWindow> window;
    };

    FullScreenSaver(const XConnection& x, const X11SaverSettings& settings);
    // Windows over `monitors` (the primary's first) from those there are.
    Result<> CoverMonitors(const std::vector<Rect>& monitors);
    Result<> OpenWindow(const Rect& monitor, bool primary);
    Next OnInput(const XEvent& event);
    bool FocusWithin() const;
    // Says once which monitors no window of the saver lies over.
    void CheckPlacement();
    JuliaWindow* WindowOf(Window id) const;

    const XConnection& m_x;
    SaverCore m_core;
    PresenterChoices m_choices;
    bool m_xwayland;  // crossings do not report where the pointer is (see OnInput)
    bool m_mapped = false;
    std::optional<int> m_screenChange;  // RandR's report of a new layout, when the server has RandR
    std::vector<Cover> m_covers;        // the primary monitor's first
    CloseRules m_rules;
    std::optional<Clock::time_point> m_focusCheck;
    std::optional<Clock::time_point> m_placementCheck;  // a moment after windows appear
    std::vector<Rect> m_saidUncovered;                  // said once each
};

}  // namespace quorvana
