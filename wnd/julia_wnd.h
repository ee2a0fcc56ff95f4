// SPDX-License-Identifier: MIT
// CJuliaWnd: the window in which Julia pictures are drawn: the preview in a
// host window, the live preview of the configuration dialog, and (derived)
// the full-screen saver window. It owns one saver screen
// (saver/saver_screen.h: the renderer and its pictures) and one backing store.
//
// WM_CREATE arms timer 1 for the speed the window was made with (the
// stored "Speed", which its maker reads); each tick draws the next
// row into the backing store and presents it; each WM_PAINT restarts the
// picture within the region being repainted. A new size reaches the renderer
// at the next WM_PAINT. With auto-delete on, the object deletes itself after
// its window's last message. What it does is told to the window observer
// (window_observer.h), which the shipped program leaves empty.
#pragma once

#include <cstdint>

#include <windows.h>

#include "fw/wnd.h"
#include "saver/saver_screen.h"
#include "wnd/backing_store.h"

class CJuliaWnd : public CWnd {
public:
    static constexpr UINT_PTR kTimerId = 1;
    // The narrowest window that registers the class with the invisible cursor.
    static constexpr int kFractalClassMinWidth = 320;

    // Who deletes the object once its window is gone: the object itself,
    // after the window's last message (a window made with new), or whoever
    // holds it (a member of another object).
    enum class Deletion { AfterLastMessage, ByHolder };

    // speed: the timer's speed when the window is made; a negative one
    // counts as 0, and there is no upper bound.
    CJuliaWnd(Deletion deletion, int speed);
    // The same, with the renderer seeded with seed rather than the time.
    CJuliaWnd(Deletion deletion, int speed, std::uint32_t seed);
    ~CJuliaWnd() override;

    // Creates the window over rect (parent client coordinates, or screen
    // coordinates without a parent); TRUE when it exists. The class's own
    // overridable, which CSaverWnd keeps.
    virtual BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent);
    // Re-arms timer 1 with the period for speed, without any bound.
    void SetSpeed(int speed);

    const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

protected:
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnTimer(UINT_PTR id);
    void OnPaint();
    void PostNcDestroy() override;

private:
    void ArmTimer(int speed);

    // The class registered by the first Create at least 320 pixels wide;
    // null until then. Valid for the rest of the process.
    static LPCWSTR s_lpszFractalClass;

    quorvana::SaverScreen m_screen;
    BackingStore m_backing;
    const BOOL m_bAutoDelete;
    const int m_startSpeed;
};
