// SPDX-License-Identifier: MIT
// Saver mode's windows, one per monitor. The primary's CSaverWnd is made by
// CreateFullScreen as with a single monitor, keeps the saver's seed and is
// the main window; every other monitor gets a CSaverWnd of its own with its
// own renderer and a seed of its own (saver/monitor_seed.h), shown without
// taking the activation from the primary's.
//
// They act as one saver: the first mouse position is shared, in screen
// coordinates, so a movement over any of them away from it closes the
// saver; activation passing between them closes nothing; a close trigger on
// any of them closes the primary's window, whose destruction ends the
// message loop, and this object's destruction (the application's
// ExitInstance) then destroys the others. WM_DISPLAYCHANGE covers the
// monitors again: the primary's window takes the primary's new size, a
// window whose monitor has gone closes, a new monitor gets a window.
#pragma once

#include <cstdint>
#include <vector>

#include <windows.h>

class CSaverWnd;

class SaverWindows {
public:
    SaverWindows(int speed, std::uint32_t seed);
    ~SaverWindows();
    SaverWindows(const SaverWindows&) = delete;
    SaverWindows& operator=(const SaverWindows&) = delete;

    // Makes the windows: the primary's, or null when it could not be made.
    [[nodiscard]] CSaverWnd* Open();

    HWND Primary() const { return m_primary; }
    bool Contains(HWND window) const;
    // The first mouse position any of the windows received, in screen
    // coordinates; (-1, -1) until one did.
    POINT& FirstMouse() { return m_firstMouse; }
    void CoverMonitorsAgain();

private:
    void OpenOn(const RECT& monitor);

    struct Covering {
        HWND window;
        RECT monitor;
    };

    const int m_speed;
    const std::uint32_t m_seed;
    std::uint32_t m_nextMonitor = 1;  // never reused, so a new window never repeats an old one's pictures
    HWND m_primary = nullptr;
    std::vector<Covering> m_others;
    POINT m_firstMouse{-1, -1};
};
