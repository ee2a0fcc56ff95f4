// SPDX-License-Identifier: MIT
// CWnd: a window object bound to one HWND. All windows the framework creates
// share one window procedure; it finds the object for the HWND and lets the
// object's message map handle the message, anything unhandled going to
// default processing (DefWindowProc).
//
// Binding: CreateEx parks the object in a thread-local slot before
// CreateWindowEx; the first message for the new HWND binds it. WM_NCDESTROY
// unbinds it. PostNcDestroy runs once the last message has left the
// outermost dispatch for the object (dispatches nest: a handler may send
// messages to its own window), so an override may `delete this`. A failed
// creation also ends in PostNcDestroy, once, before CreateEx returns FALSE.
//
// When the application's main window is destroyed the framework clears
// m_pMainWnd and posts the quit message, which ends the message loop.
#pragma once

#include <windows.h>

#include "fw/cmd_target.h"

class CScrollBar;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // The object bound to hWnd, or a temporary object for a window the
    // framework did not create; temporaries are deleted when the message loop
    // is next idle or a modal dialog ends, whichever comes first with no
    // message being handled. Null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The bound object only, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Deletes the temporaries, unless a message is being handled (its
    // handler may hold one).
    static void DeleteTempMap();

    // Creates the window; TRUE when it exists. className null means the
    // framework's default window class.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menu, LPVOID param = nullptr);
    BOOL DestroyWindow();

    // Default processing of the message now being handled.
    LRESULT Default();

    // Binds an existing window (one the framework did not create, such as a
    // dialog created by the dialog manager) to this object.
    [[nodiscard]] BOOL Attach(HWND hWnd);
    // Binds an existing window of this thread and routes its messages
    // through this object's map, anything unhandled going on to the window's
    // own procedure. Unbinding (WM_NCDESTROY, the destructor) hands the
    // window back to that procedure.
    [[nodiscard]] BOOL SubclassWindow(HWND hWnd);

    // The child window with this control id (a temporary object unless the
    // child is bound), or null.
    CWnd* GetDlgItem(int id) const;
    void GetWindowRect(LPRECT rect) const;
    void ScreenToClient(LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    // A popup is centred over its owner (or alternateOwner) when that is
    // visible and not minimised, otherwise in the work area of its monitor;
    // either way it is kept inside that work area. A child is centred in
    // its parent's client area.
    void CenterWindow(CWnd* alternateOwner = nullptr);

    const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

    // Handles one message through the maps: TRUE with *result set when an
    // entry took it. Unhandled WM_COMMAND goes on to the application's map.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The object's message entry point: the maps, then DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Sends one message to the object with the framework's bookkeeping
    // (current message, nesting, unbinding at WM_NCDESTROY). The shared
    // window procedure calls it; a dialog procedure may as well.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    // The window procedure of every framework window class.
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Default handling of WM_CREATE: -1 fails the creation.
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnDestroy();
    // Default handling of WM_HSCROLL.
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);
    // Called once after the window's last message; the object may delete itself here.
    virtual void PostNcDestroy();

private:
    void Bind(HWND hWnd);
    void Unbind();
    void EndDispatch();

    int m_dispatchDepth = 0;
    bool m_ncDestroyed = false;
    // The window's own procedure while it is subclassed, null otherwise.
    WNDPROC m_pfnSuper = nullptr;
};
