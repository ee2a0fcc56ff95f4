// SPDX-License-Identifier: MIT
// Saver mode (/s) for real: the window, the mouse rule, every close trigger
// and the messages that must not close it, the refusals, and the exit code.
// Each trigger gets a saver of its own; the non-triggers all go to one.
#include <string>

#include "tests/windows/harness.h"

using harness::Check;

namespace {

struct Saver {
    harness::Process process;
    HWND window = nullptr;
    POINT mouse{};  // where the real pointer is: the first movement the window records
};

Saver StartSaver(const std::wstring& program)
{
    Saver saver;
    saver.process = harness::Process::Start(program, L"/s");
    saver.window = harness::WaitForTopWindow(saver.process.Id(), 10000);
    ::GetCursorPos(&saver.mouse);
    if (saver.window != nullptr) {
        // Let the platform's own first WM_MOUSEMOVE arrive, then make sure one did.
        harness::Pump(300);
        ::PostMessageW(saver.window, WM_MOUSEMOVE, 0, MAKELPARAM(saver.mouse.x, saver.mouse.y));
        harness::Pump(200);
    }
    return saver;
}

LPARAM At(POINT p, int dx, int dy) { return MAKELPARAM(p.x + dx, p.y + dy); }

void WindowCoversTheScreen(const std::wstring& program)
{
    Saver saver = StartSaver(program);
    if (!Check(saver.window != nullptr, "/s: a window appears")) return;
    RECT rect{};
    ::GetWindowRect(saver.window, &rect);
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    Check(::EqualRect(&rect, &screen) != 0, "/s: the window covers the primary screen from (0, 0)");
    const LONG style = ::GetWindowLongW(saver.window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(saver.window, GWL_EXSTYLE);
    Check((style & WS_POPUP) != 0 && (style & WS_CAPTION) == 0, "/s: a popup without caption");
    Check((exStyle & WS_EX_TOPMOST) != 0, "/s: top-most");
    Check(::SendMessageW(saver.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(saver.window),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) == TRUE,
          "/s: WM_SETCURSOR answered TRUE (the cursor is hidden)");
    harness::Pump(1500);
    Check(harness::CountGreenPixels(saver.window) > 0, "/s: rows are drawn on the screen");
    Check(harness::QueryLitPixels(saver.window) > 0, "/s: rows are drawn in the backing store");
    ::PostMessageW(saver.window, WM_CLOSE, 0, 0);
    Check(saver.process.WaitExit(5000), "/s: WM_CLOSE ends the process");
    Check(saver.process.ExitCode() == 0, "/s: exit code 0 after WM_CLOSE");
}

void NonTriggersKeepItOpen(const std::wstring& program)
{
    Saver saver = StartSaver(program);
    if (!Check(saver.window != nullptr, "non-triggers: a window appears")) return;
    const HWND w = saver.window;
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* what;
    } posted[] = {
        {WM_MOUSEMOVE, 0, At(saver.mouse, 0, 0), "WM_MOUSEMOVE at the first position"},
        {WM_MOUSEMOVE, 0, At(saver.mouse, 0, 0), "WM_MOUSEMOVE at the first position again"},
        // As when a window comes up over the saver's under a pointer that stays where it was.
        {WM_MOUSELEAVE, 0, 0, "WM_MOUSELEAVE with the pointer at the first position"},
        {WM_KEYUP, 'A', 0xC0000001, "WM_KEYUP"},
        {WM_SYSKEYUP, VK_MENU, 0xC0000001, "WM_SYSKEYUP"},
        {WM_CHAR, 'a', 1, "WM_CHAR"},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), At(saver.mouse, 0, 0), "WM_MOUSEWHEEL"},
        {WM_XBUTTONDOWN, MAKEWPARAM(MK_XBUTTON1, XBUTTON1), At(saver.mouse, 0, 0), "WM_XBUTTONDOWN"},
        {WM_LBUTTONUP, 0, At(saver.mouse, 0, 0), "WM_LBUTTONUP"},
        {WM_MBUTTONUP, 0, At(saver.mouse, 0, 0), "WM_MBUTTONUP"},
        {WM_RBUTTONUP, 0, At(saver.mouse, 0, 0), "WM_RBUTTONUP"},
        {WM_TIMER, 2, 0, "WM_TIMER with id 2"},
        {WM_ACTIVATEAPP, TRUE, 0, "WM_ACTIVATEAPP TRUE"},
    };
    for (const auto& m : posted) {
        ::PostMessageW(w, m.message, m.wParam, m.lParam);
        harness::Pump(100);
        Check(::IsWindow(w) && saver.process.Running(), std::string("stays open after ") + m.what);
    }

    const struct {
        UINT message;
        WPARAM wParam;
        LRESULT expected;
        const char* what;
    } sent[] = {
        {WM_SYSCOMMAND, SC_SCREENSAVE, 0, "WM_SYSCOMMAND SC_SCREENSAVE is swallowed"},
        {WM_SYSCOMMAND, SC_CLOSE, 0, "WM_SYSCOMMAND SC_CLOSE is swallowed"},
        {WM_NCACTIVATE, FALSE, FALSE, "WM_NCACTIVATE FALSE is refused (FALSE)"},
        {WM_NCACTIVATE, TRUE, TRUE, "WM_NCACTIVATE TRUE gets default processing (TRUE)"},
    };
    for (const auto& m : sent) {
        const LRESULT result = ::SendMessageW(w, m.message, m.wParam, 0);
        harness::Pump(300);
        Check(result == m.expected, std::string(m.what) + ", result " + std::to_string(result));
        Check(::IsWindow(w) && saver.process.Running(), std::string("stays open after ") + m.what);
    }
    ::PostMessageW(w, WM_CLOSE, 0, 0);
    saver.process.WaitExit(5000);
}

void EachTriggerCloses(const std::wstring& program)
{
    const struct {
        UINT message;
        WPARAM wParam;
        int dx, dy;  // lParam: the first mouse position moved by (dx, dy)
        const char* what;
    } triggers[] = {
        {WM_MOUSEMOVE, 0, 1, 0, "WM_MOUSEMOVE one pixel right"},
        {WM_MOUSEMOVE, 0, 0, 1, "WM_MOUSEMOVE one pixel down"},
        {WM_MOUSEMOVE, 0, -1, 0, "WM_MOUSEMOVE one pixel left"},
        {WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, "WM_LBUTTONDOWN"},
        {WM_MBUTTONDOWN, MK_MBUTTON, 0, 0, "WM_MBUTTONDOWN"},
        {WM_RBUTTONDOWN, MK_RBUTTON, 0, 0, "WM_RBUTTONDOWN"},
        {WM_KEYDOWN, 'A', 0, 0, "WM_KEYDOWN"},
        {WM_SYSKEYDOWN, VK_F4, 0, 0, "WM_SYSKEYDOWN (Alt+F4)"},
        {WM_ACTIVATE, WA_INACTIVE, 0, 0, "WM_ACTIVATE WA_INACTIVE"},
        {WM_ACTIVATEAPP, FALSE, 0, 0, "WM_ACTIVATEAPP FALSE"},
        // Not SC_CLOSE itself, so default processing runs, and that masks the low bits and closes.
        {WM_SYSCOMMAND, SC_CLOSE | 1, 0, 0, "WM_SYSCOMMAND SC_CLOSE+1 (default processing)"},
    };
    for (const auto& t : triggers) {
        Saver saver = StartSaver(program);
        if (!Check(saver.window != nullptr, std::string(t.what) + ": a window appears")) continue;
        const bool moved = t.message == WM_MOUSEMOVE;
        const LPARAM lParam = moved ? At(saver.mouse, t.dx, t.dy) : At(saver.mouse, 0, 0);
        ::PostMessageW(saver.window, t.message, t.wParam, t.message == WM_SYSCOMMAND ? 0 : lParam);
        const bool ended = saver.process.WaitExit(5000);
        Check(ended, std::string(t.what) + " closes the saver");
        Check(!ended || saver.process.ExitCode() == 0, std::string(t.what) + ": exit code 0");
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    WindowCoversTheScreen(argv[1]);
    NonTriggersKeepItOpen(argv[1]);
    EachTriggerCloses(argv[1]);
    return harness::Finish();
}
