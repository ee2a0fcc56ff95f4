// A real change of the display's layout while the saver runs: the test
// changes the mode of the session's virtual desktop, and Wine broadcasts
// WM_DISPLAYCHANGE. The primary's window then covers the new primary
// screen, no other window appears, and the saver runs on; the old mode
// put back, it covers that again.
#include <string>

#include "tests/windows/harness.h"

using harness::Check;

namespace {

RECT PrimaryScreen() { return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

std::string Describe(const RECT& r) { return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top); }

// Waits until the window covers the primary screen as it is now.
bool CoversPrimary(HWND window)
{
    for (int wait = 0; wait < 50; ++wait) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        const RECT screen = PrimaryScreen();
        if (::EqualRect(&rect, &screen)) return true;
        harness::Pump(100);
    }
    return false;
}

// A mode of the display other than the current one, as large as allowed.
bool OtherMode(DEVMODEW* other)
{
    DEVMODEW current{};
    current.dmSize = sizeof current;
    ::EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &current);
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; ::EnumDisplaySettingsW(nullptr, i, &mode); ++i) {
        if (mode.dmPelsWidth != current.dmPelsWidth && mode.dmPelsWidth >= 640 && mode.dmPelsHeight >= 480) {
            *other = mode;
            return true;
        }
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    harness::settings::Clear(L"quorvana");
    harness::Process saver = harness::Process::Start(argv[1], L"/s");
    const HWND window = harness::WaitForTopWindow(saver.Id(), 10000);
    if (!Check(window != nullptr, "/s: a window appears")) return harness::Finish();
    const RECT before = PrimaryScreen();
    Check(CoversPrimary(window), "the window covers the primary screen, " + Describe(before));

    DEVMODEW mode{};
    if (Check(OtherMode(&mode), "the display offers another mode")) {
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        Check(::ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL,
              "the mode changes");
        harness::Pump(500);
        Check(CoversPrimary(window), "after WM_DISPLAYCHANGE the window covers the new primary screen, " +
                                         Describe(PrimaryScreen()));
        Check(saver.Running() && harness::FindTopWindow(saver.Id()) == window,
              "the saver runs on in the same window, with no other");
        ::ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr);
        harness::Pump(500);
        Check(CoversPrimary(window), "the old mode back, the window covers " + Describe(PrimaryScreen()) + " again");
        harness::Pump(1000);
        Check(harness::QueryLitPixels(window) > 0, "rows are drawn after the changes");
    }
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    Check(saver.WaitExit(5000) && saver.ExitCode() == 0, "WM_CLOSE ends the saver with status 0");
    return harness::Finish();
}
