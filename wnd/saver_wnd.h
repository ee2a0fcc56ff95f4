// CSaverWnd: the saver-mode window, a CJuliaWnd over the whole primary
// screen, top-most, without cursor, that closes at the first key press,
// mouse button, movement away from the first reported mouse position, or
// loss of activation, always by posting WM_CLOSE to itself. Its destruction
// posts the quit message. It refuses SC_SCREENSAVE and SC_CLOSE and never
// lets its frame be shown inactive.
#pragma once

#include <windows.h>

#include "wnd/julia_wnd.h"

class CSaverWnd : public CJuliaWnd {
public:
    explicit CSaverWnd(int speed);
    ~CSaverWnd() override;

    // Creates the window over the primary screen; TRUE when it exists.
    BOOL CreateFullScreen();

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

private:
    void PostClose();

    // The first mouse position reported; (-1, -1) until one is.
    POINT m_ptInitialMouse;
};
