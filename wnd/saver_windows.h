// SPDX-License-Identifier: MIT
// Saver mode's windows, one per monitor, acting as one saver. The primary's
// CSaverWnd is made by CreateFullScreen, keeps the saver's seed and is the
// main window; every other monitor gets a CSaverWnd of its own with its own
// renderer and a seed of its own (saver/monitor_seed.h), shown without
// taking the activation from the primary's. With one monitor there is the
// primary's window alone.
//
// This object owns the saver's one set of close rules (saver/close_rules.h):
// every window hands it its input, in screen coordinates, so the first mouse
// position holds for all (the pointer's place as the saver opens), and
// activation passing between them closes nothing. A close closes the primary's window, whose
// destruction ends the message loop; this object's destruction (the
// application's ExitInstance) then destroys the others. WM_DISPLAYCHANGE
// covers the monitors again: the primary's window takes the primary's new
// size, a window whose monitor has gone closes, a new monitor gets a window.
#pragma once

#include <cstdint>
#include <vector>

#include <windows.h>

#include "render/surface.h"
#include "saver/close_rules.h"
#include "saver/saver_core.h"

class CSaverWnd;

class SaverWindows {
public:
    // speed: every window's timer, as CJuliaWnd takes it; seed: the primary's renderer's.
    SaverWindows(int speed, std::uint32_t seed);
    ~SaverWindows();
    SaverWindows(const SaverWindows&) = delete;
    SaverWindows& operator=(const SaverWindows&) = delete;

    // Makes the windows: the primary's, or null when it could not be made.
    [[nodiscard]] CSaverWnd* Open();

    // Null until the primary's window has been made.
    HWND Primary() const { return m_primary; }
    bool Contains(HWND window) const;
    quorvana::CloseRules& Rules() { return m_rules; }
    void CoverMonitorsAgain();

private:
    void OpenOn(const quorvana::Rect& monitor);

    struct Covering {
        HWND window;
        quorvana::Rect monitor;
    };

    const int m_speed;
    quorvana::SaverCore m_core;  // each window's seed, never reused: no new window repeats an old one's pictures
    quorvana::CloseRules m_rules;
    HWND m_primary = nullptr;
    std::vector<Covering> m_others;
};
