// SPDX-License-Identifier: MIT
// CSaverWnd: a saver-mode window, a CJuliaWnd over a whole monitor,
// top-most, without cursor. It refuses SC_SCREENSAVE and SC_CLOSE and never
// lets its frame be shown inactive. Every window belongs to a SaverWindows
// (saver_windows.h), one per monitor, and hands each sign of the user (a key
// press, a mouse button, the mouse's position in screen coordinates, the
// loss of activation with the window it went to) to that saver's close
// rules; when they answer "close", it posts WM_CLOSE to the primary's
// window, whose destruction posts the quit message. When the pointer leaves
// a window, the window reports where the pointer is then: under Wine the
// pointer can go where no monitor is (a part of the X screen no Xinerama
// head shows), and no window would report a move there.
#pragma once

#include <cstdint>

#include <windows.h>

#include "saver/close_rules.h"
#include "wnd/julia_wnd.h"

class SaverWindows;

class CSaverWnd : public CJuliaWnd {
public:
    // One of saver's windows, seeded with seed; it deletes itself after its last message.
    CSaverWnd(SaverWindows& saver, int speed, std::uint32_t seed);
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
    void OnMouseMove(UINT keys, POINT point);
    void OnMouseLeave();
    void OnLButtonDown(UINT keys, POINT point);
    void OnMButtonDown(UINT keys, POINT point);
    void OnRButtonDown(UINT keys, POINT point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnDisplayChange();

private:
    // Posts WM_CLOSE to the primary's window when the answer says so.
    void CloseSaverIf(const quorvana::CloseAnswer& answer);
    bool IsPrimary() const;

    SaverWindows& m_saver;
    bool m_watchingLeave = false;  // WM_MOUSELEAVE asked for and not yet come
};
