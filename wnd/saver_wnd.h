// SPDX-License-Identifier: MIT
// CSaverWnd: the saver-mode window, a CJuliaWnd over the whole primary
// screen, top-most, without cursor, that closes at the first key press,
// mouse button, movement away from the first reported mouse position, or
// loss of activation, always by posting WM_CLOSE to itself. Its destruction
// posts the quit message. It refuses SC_SCREENSAVE and SC_CLOSE and never
// lets its frame be shown inactive.
//
// On a desktop with several monitors one CSaverWnd covers each of them, and
// SaverWindows (saver_windows.h) makes them act as one saver: the others
// post their WM_CLOSE to the primary's window, and only the primary's
// destruction posts the quit message.
#pragma once

#include <cstdint>

#include <windows.h>

#include "wnd/julia_wnd.h"

class SaverWindows;

class CSaverWnd : public CJuliaWnd {
public:
    // A saver alone, seeded with the time.
    explicit CSaverWnd(int speed);
    // One of the windows of a saver that covers every monitor.
    CSaverWnd(int speed, std::uint32_t seed, SaverWindows* windows);
    ~CSaverWnd() override;

    // Creates the window over the primary screen; TRUE when it exists.
    // FALSE means the object has deleted itself already.
    [[nodiscard]] BOOL CreateFullScreen();
    // Creates the window over another monitor (screen coordinates), shown
    // without taking the activation; TRUE when it exists, as above.
    [[nodiscard]] BOOL CreateOnMonitor(const RECT& monitor);

    const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

protected:
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnDestroy();
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    BOOL OnNcActivate(BOOL active);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnActivateApp(BOOL active, DWORD threadId);
    void OnMouseMove(UINT flags, POINT point);
    void OnButtonDown(UINT flags, POINT point);
    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnDisplayChange();

private:
    void PostClose();
    bool IsPrimary() const;

    // The first mouse position reported; (-1, -1) until one is. A saver of
    // several windows keeps it in SaverWindows instead.
    POINT m_ptInitialMouse;
    SaverWindows* const m_windows = nullptr;  // null for a saver alone
};
