// SPDX-License-Identifier: MIT
// Compiled, never run: a message map with one entry, wired right, or wired
// wrong when WIRING names a mistake. CTest expects the right wiring to
// compile and each mistake to be refused by the compiler.
#include "fw/wnd.h"

class CWiredWnd : public CWnd {
public:
    static const fw::MessageMap* GetThisMessageMap()
    {
        // The misread that one signature with one unpacking for many messages
        // let through: the wheel has the mouse's (keys, point) but carries its
        // turn in wParam's high word, which that unpacking hands over as keys.
        // Each message's own cracker refuses it.
        static_assert(!fw::HandlerFits<WM_MOUSEWHEEL, decltype(&CWiredWnd::OnMouseMove)>);
        static_assert(fw::HandlerFits<WM_MOUSEWHEEL, decltype(&CWiredWnd::OnMouseWheel)>);
        static_assert(fw::HandlerFits<WM_MOUSEMOVE, decltype(&CWiredWnd::OnMouseMove)>);
        // Messages of one packing share their signature, and so their handlers.
        static_assert(fw::HandlerFits<WM_SYSKEYDOWN, decltype(&CWiredWnd::OnKeyDown)>);
        static_assert(!fw::HandlerFits<WM_KEYDOWN, decltype(&CWiredWnd::OnMouseMove)>);

        static const fw::MessageMapEntry entries[] = {
#if WIRING == 1  // a key message to a mouse handler
            fw::OnMessage<WM_KEYDOWN>(&CWiredWnd::OnMouseMove),
#elif WIRING == 2  // a message the framework has no cracker for
            fw::OnMessage<WM_MOVE>(&CWiredWnd::OnPaint),
#else
            fw::OnMessage<WM_KEYDOWN>(&CWiredWnd::OnKeyDown),
            fw::OnMessage<WM_MOUSEWHEEL>(&CWiredWnd::OnMouseWheel),
#endif
        };
        static const fw::MessageMap map = fw::MakeMap(CWnd::GetThisMessageMap(), entries);
        return &map;
    }

private:
    void OnMouseMove(UINT, POINT) {}
    void OnMouseWheel(UINT, short, POINT) {}
    void OnKeyDown(UINT, UINT, UINT) {}
    void OnPaint() {}
};
