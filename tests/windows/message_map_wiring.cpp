// SPDX-License-Identifier: MIT
// Compiled, never run: a message map with one entry, wired right, or wired
// wrong when WIRING names a mistake. CTest expects the right wiring to
// compile and each mistake to be refused by the compiler.
#include "fw/wnd.h"

class CWiredWnd : public CWnd {
public:
    static const fw::MessageMap* GetThisMessageMap()
    {
        static const fw::MessageMapEntry entries[] = {
#if WIRING == 1  // a key message to a mouse handler
            fw::OnMessage<WM_KEYDOWN>(&CWiredWnd::OnMouseMove),
#elif WIRING == 2  // a message the framework has no cracker for
            fw::OnMessage<WM_MOVE>(&CWiredWnd::OnPaint),
#else
            fw::OnMessage<WM_KEYDOWN>(&CWiredWnd::OnKeyDown),
#endif
        };
        static const fw::MessageMap map = fw::MakeMap(CWnd::GetThisMessageMap(), entries);
        return &map;
    }

private:
    void OnMouseMove(UINT, POINT) {}
    void OnKeyDown(UINT, UINT, UINT) {}
    void OnPaint() {}
};
