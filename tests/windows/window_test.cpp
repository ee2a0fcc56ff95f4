// SPDX-License-Identifier: MIT
// CJuliaWnd and the framework in this process: the window-class rule, the
// timer armed at creation and by SetSpeed (the period rule itself has its
// table in tests/saver), auto-delete after the last message,
// message maps chained to the base's, and no GDI or USER handle growing over
// 2,000 ticks.
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "fw/win_app.h"
#include "fw/wnd_class.h"
#include "tests/windows/harness.h"
#include "tests/windows/probe_observer.h"
#include "wnd/julia_wnd.h"

using harness::Check;

namespace {

CWinApp s_testApp(L"window_test");

using Deletion = CJuliaWnd::Deletion;
constexpr int kSpeed = 100;  // the stored speed's default

// Tells whether the object has been destroyed.
class WatchedJuliaWnd : public CJuliaWnd {
public:
    WatchedJuliaWnd(Deletion deletion, bool* destroyed) : CJuliaWnd(deletion, kSpeed), m_destroyed(destroyed) {}
    ~WatchedJuliaWnd() override { *m_destroyed = true; }

private:
    bool* m_destroyed;
};

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

RECT Wide(int width) { return RECT{0, 0, width, 100}; }

void WindowClassRule()
{
    Check(probe::FractalClass() == nullptr, "no fractal class before the first Create");
    const struct {
        int width;
        bool registered;  // a fractal class after this Create
        bool fractalClass;  // the window gets the fractal class
        const char* what;
    } steps[] = {
        {319, false, false, "319 pixels wide registers nothing and gets the framework's class"},
        {320, true, true, "320 pixels wide registers the fractal class"},
        {1000, true, true, "a later wide window reuses the class"},
        {100, true, true, "a later narrow window reuses the class"},
    };
    LPCWSTR registered = nullptr;
    for (const auto& step : steps) {
        CJuliaWnd wnd(Deletion::ByHolder, kSpeed);
        wnd.Create(0, WS_POPUP, Wide(step.width), nullptr);
        const std::wstring cls = ClassOf(wnd.m_hWnd);
        const LPCWSTR fractalClass = probe::FractalClass();
        Check(wnd.m_hWnd != nullptr, std::string(step.what) + ": window created");
        Check((fractalClass != nullptr) == step.registered, std::string(step.what) + ": registration");
        if (step.fractalClass) {
            Check(fractalClass != nullptr && cls == fractalClass, std::string(step.what) + ": class " + harness::Narrow(cls));
            if (registered == nullptr) registered = fractalClass;
            Check(fractalClass == registered, std::string(step.what) + ": the same class name");
        } else {
            Check(cls == fw::DefaultWndClass(), std::string(step.what) + ": class " + harness::Narrow(cls));
        }
        wnd.DestroyWindow();
    }

    CJuliaWnd wnd(Deletion::ByHolder, kSpeed);
    wnd.Create(0, WS_POPUP, Wide(400), nullptr);
    const HWND w = wnd.m_hWnd;
    Check(::GetClassLongPtrW(w, GCL_STYLE) == (CS_HREDRAW | CS_VREDRAW), "fractal class styles: CS_HREDRAW | CS_VREDRAW");
    Check(::GetClassLongPtrW(w, GCLP_HBRBACKGROUND) == 0, "fractal class: no background brush");
    Check(::GetClassLongPtrW(w, GCLP_HICON) == 0, "fractal class: no icon");
    const HCURSOR cursor = reinterpret_cast<HCURSOR>(::GetClassLongPtrW(w, GCLP_HCURSOR));
    ICONINFO info{};
    if (Check(cursor != nullptr && ::GetIconInfo(cursor, &info), "fractal class: a cursor")) {
        // Monochrome: the AND mask above the XOR mask in one bitmap twice as tall.
        BITMAP bitmap{};
        ::GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
        Check(bitmap.bmWidth == 32 && bitmap.bmHeight == 64, "null cursor: 32 x 32 monochrome");
        Check(info.xHotspot == 0 && info.yHotspot == 0, "null cursor: hot spot (0, 0)");
        unsigned char bits[4 * 64] = {};
        ::GetBitmapBits(info.hbmMask, sizeof bits, bits);
        bool andAllOnes = true, xorAllZeros = true;
        for (int i = 0; i < 4 * 32; ++i) andAllOnes = andAllOnes && bits[i] == 0xFF;
        for (int i = 4 * 32; i < 4 * 64; ++i) xorAllZeros = xorAllZeros && bits[i] == 0;
        Check(andAllOnes && xorAllZeros, "null cursor: AND mask all ones, XOR mask all zeros");
        if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
}

void TimerPeriods()
{
    // The speed a window is made with arms its timer at creation, a negative one as 0.
    const struct {
        int speed;
        UINT period;
    } atCreation[] = {{100, USER_TIMER_MINIMUM}, {50, 250}, {0, 500}, {-20, 500}, {150, USER_TIMER_MAXIMUM}};
    for (const auto& row : atCreation) {
        CJuliaWnd made(Deletion::ByHolder, row.speed);
        made.Create(0, WS_POPUP, Wide(200), nullptr);
        Check(harness::QueryTimerPeriod(made.m_hWnd) == row.period, "made with speed " + std::to_string(row.speed));
    }

    // SetSpeed bounds nothing of its own (a negative speed is slower than 0);
    // the window answers what it armed.
    const struct {
        int speed;
        UINT period;
    } table[] = {{100, USER_TIMER_MINIMUM}, {97, 15}, {1, 495}, {-20, 600}, {101, USER_TIMER_MAXIMUM},
                 {INT_MIN, USER_TIMER_MAXIMUM}};
    CJuliaWnd wnd(Deletion::ByHolder, kSpeed);
    wnd.Create(0, WS_POPUP, Wide(200), nullptr);
    for (const auto& row : table) {
        wnd.SetSpeed(row.speed);
        Check(harness::QueryTimerPeriod(wnd.m_hWnd) == row.period, "SetSpeed(" + std::to_string(row.speed) + ")");
    }
}

void AutoDelete()
{
    const struct {
        Deletion deletion;
        bool deletedAfterDestroy;
    } cases[] = {{Deletion::AfterLastMessage, true}, {Deletion::ByHolder, false}};
    for (const auto& c : cases) {
        bool destroyed = false;
        auto* wnd = new WatchedJuliaWnd(c.deletion, &destroyed);
        wnd->Create(0, WS_POPUP | WS_VISIBLE, Wide(200), nullptr);
        const HWND hWnd = wnd->m_hWnd;
        Check(CWnd::FromHandlePermanent(hWnd) == wnd, "the window is bound to its object");
        harness::Pump(50);
        Check(!destroyed, "the object lives while its window does");
        ::DestroyWindow(hWnd);
        const bool autoDelete = c.deletion == Deletion::AfterLastMessage;
        const std::string which = autoDelete ? "auto-delete on" : "auto-delete off";
        Check(destroyed == c.deletedAfterDestroy, which + ": deleted after the last message or kept");
        Check(CWnd::FromHandlePermanent(hWnd) == nullptr, which + ": the handle is unbound");
        if (!autoDelete) {
            Check(wnd->m_hWnd == nullptr, "auto-delete off: the object outlives its window, without a handle");
            delete wnd;
        }
    }

    // A window destroyed from inside one of its own handlers is deleted only
    // after that handler has returned.
    bool destroyed = false;
    auto* wnd = new WatchedJuliaWnd(Deletion::AfterLastMessage, &destroyed);
    wnd->Create(0, WS_POPUP, Wide(200), nullptr);
    const HWND hWnd = wnd->m_hWnd;
    ::SendMessageW(hWnd, WM_CLOSE, 0, 0);  // default processing destroys the window inside the dispatch
    Check(destroyed && !::IsWindow(hWnd), "destroyed inside its own dispatch: deleted once it returned");

    // A creation that fails cleans the object up once.
    destroyed = false;
    wnd = new WatchedJuliaWnd(Deletion::AfterLastMessage, &destroyed);
    const BOOL created = wnd->CreateEx(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    Check(!created && destroyed, "a failed creation returns FALSE and deletes an auto-delete object");
}

void TimerIdsAndPaint()
{
    CJuliaWnd wnd(Deletion::ByHolder, kSpeed);
    wnd.Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 300}, nullptr);
    ::KillTimer(wnd.m_hWnd, CJuliaWnd::kTimerId);  // ticks only when sent here
    ::UpdateWindow(wnd.m_hWnd);
    Check(harness::QueryLitPixels(wnd.m_hWnd) == 0, "after the first paint the store is black");
    for (int i = 0; i < 10; ++i) ::SendMessageW(wnd.m_hWnd, WM_TIMER, 2, 0);
    Check(harness::QueryLitPixels(wnd.m_hWnd) == 0, "a timer id other than 1 draws nothing");
    ::SendMessageW(wnd.m_hWnd, WM_TIMER, CJuliaWnd::kTimerId, 0);
    const long long firstRow = harness::QueryLitPixels(wnd.m_hWnd);
    Check(firstRow > 0 && firstRow <= 400, "one tick of timer 1 draws row 0 (" + std::to_string(firstRow) + " pixels)");
    ::SendMessageW(wnd.m_hWnd, WM_TIMER, CJuliaWnd::kTimerId, 0);
    Check(harness::QueryLitPixels(wnd.m_hWnd) == firstRow, "the next tick, row 1, draws nothing");
    ::InvalidateRect(wnd.m_hWnd, nullptr, FALSE);
    ::UpdateWindow(wnd.m_hWnd);
    Check(harness::QueryLitPixels(wnd.m_hWnd) == 0, "a repaint clears the picture");
    // A repaint of part of the window clears that part only.
    for (int i = 0; i < 20; ++i) ::SendMessageW(wnd.m_hWnd, WM_TIMER, CJuliaWnd::kTimerId, 0);
    const long long tenRows = harness::QueryLitPixels(wnd.m_hWnd);
    const RECT bottom{0, 200, 400, 300};
    ::InvalidateRect(wnd.m_hWnd, &bottom, FALSE);
    ::UpdateWindow(wnd.m_hWnd);
    Check(tenRows > firstRow && harness::QueryLitPixels(wnd.m_hWnd) == tenRows,
          "a repaint below the drawn rows keeps them");
}

// Wine does not count a process's GUI objects (GetGuiResources answers 0),
// so growth is measured as lost headroom: how many more objects of the kind
// can still be made before the handle table is full. The handles made here
// are all freed again.
template <class Make, class Free>
long long Headroom(Make make, Free free)
{
    std::vector<decltype(make())> made;
    for (long long n = 0; n < 200000; ++n) {
        const auto handle = make();
        if (handle == nullptr) break;
        made.push_back(handle);
    }
    for (const auto handle : made) free(handle);
    return static_cast<long long>(made.size());
}

long long GdiHeadroom()
{
    return Headroom([] { return ::CreateSolidBrush(RGB(1, 2, 3)); }, [](HBRUSH b) { ::DeleteObject(b); });
}

long long UserHeadroom()
{
    return Headroom([] { return ::CreateMenu(); }, [](HMENU m) { ::DestroyMenu(m); });
}

void NoHandleGrowth()
{
    CJuliaWnd wnd(Deletion::ByHolder, kSpeed);
    wnd.Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 640, 48}, nullptr);
    ::KillTimer(wnd.m_hWnd, CJuliaWnd::kTimerId);
    ::UpdateWindow(wnd.m_hWnd);
    // Warm up: the first picture and frame end allocate what they keep.
    for (int i = 0; i < 100; ++i) ::SendMessageW(wnd.m_hWnd, WM_TIMER, CJuliaWnd::kTimerId, 0);
    const long long gdiBefore = GdiHeadroom();
    const long long userBefore = UserHeadroom();
    // 2,000 ticks: about 40 pictures with their frame ends, and some repaints.
    for (int i = 0; i < 2000; ++i) {
        ::SendMessageW(wnd.m_hWnd, WM_TIMER, CJuliaWnd::kTimerId, 0);
        if (i % 500 == 0) {
            ::InvalidateRect(wnd.m_hWnd, nullptr, FALSE);
            ::UpdateWindow(wnd.m_hWnd);
        }
    }
    const long long gdiAfter = GdiHeadroom();
    const long long userAfter = UserHeadroom();
    std::printf("free GDI handles %lld -> %lld, free USER handles %lld -> %lld\n", gdiBefore, gdiAfter, userBefore,
                userAfter);
    Check(gdiBefore > 1000 && userBefore > 1000, "the handle tables have room to measure");
    Check(gdiAfter >= gdiBefore, "no GDI handle grows over 2,000 ticks");
    Check(userAfter >= userBefore, "no USER handle grows over 2,000 ticks");

    // The measurement itself sees a leak: one DC per tick, never released.
    for (int i = 0; i < 50; ++i) ::GetDC(wnd.m_hWnd);
    Check(GdiHeadroom() < gdiAfter, "a leaked DC per tick would show as lost GDI headroom");
}

}  // namespace

int wmain()
{
    s_testApp.SetRegistryKey(L"Quorvana");
    harness::settings::Clear(L"window_test");  // default speed: the timer at its minimum
    WindowClassRule();
    TimerPeriods();
    AutoDelete();
    TimerIdsAndPaint();
    NoHandleGrowth();
    return harness::Finish();
}
