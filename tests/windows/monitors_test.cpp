// Saver mode on a desktop of several monitors, run by monitors_test.sh on a
// display whose heads Wine sees as monitors: one window over each monitor,
// each drawing pictures of its own; the primary's exactly those of a saver
// alone with the same seed; activation passing between them and a repeated
// WM_DISPLAYCHANGE close nothing; a key on another monitor's window ends
// them all. Usage: monitors_test PROGRAM (the tests' build of quorvana.scr).
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/windows/harness.h"
#include "tests/windows/test_probe.h"

using harness::Check;

namespace {

constexpr std::uint32_t kSeed = 4242;
constexpr DWORD kSpeed = 90;  // a picture lasts long enough to be asked about

struct Monitor {
    RECT rect;
    bool primary;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoW(monitor, &info);
    reinterpret_cast<std::vector<Monitor>*>(param)->push_back({info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

std::vector<Monitor> Monitors()
{
    std::vector<Monitor> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK AddWindowOf(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ::IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId)
{
    Search search{processId, {}};
    ::EnumWindows(&AddWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// What the saver alone draws first for the seed at this size.
std::uint64_t FirstViewHashAlone(std::uint32_t seed, int width, int height)
{
    quorvana::JuliaRenderer renderer(seed);
    quorvana::PixelStore window(width, height);
    renderer.RestartPicture(window);
    const auto& r = renderer;
    return ViewHash({r.m_reMin, r.m_reMax, r.m_imMin, r.m_imMax, r.m_cRe, r.m_cIm}, width, height);
}

std::uint64_t QueryViewHash(HWND window)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window, ProbeMessage(), kProbeViewHash, 0, SMTO_ABORTIFHUNG, 2000, &result);
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    const std::vector<Monitor> monitors = Monitors();
    std::printf("%zu monitors:", monitors.size());
    for (const Monitor& m : monitors) std::printf(" %s%s", Describe(m.rect).c_str(), m.primary ? " (primary)" : "");
    std::printf("\n");
    if (!Check(monitors.size() >= 2, "the display offers several monitors")) return harness::Finish();

    harness::settings::WriteDword(L"quorvana", L"Speed", kSpeed);
    ::SetEnvironmentVariableW(L"QUORVANA_TEST_SEED", std::to_wstring(kSeed).c_str());
    harness::Process saver = harness::Process::Start(argv[1], L"/s");
    std::vector<HWND> windows;
    for (int wait = 0; wait < 100 && windows.size() < monitors.size(); ++wait) {
        harness::Pump(100);
        windows = VisibleWindowsOf(saver.Id());
    }
    Check(windows.size() == monitors.size(), "one window for each monitor, " + std::to_string(windows.size()));

    // Each monitor's window, and the hash of the picture it draws.
    HWND primary = nullptr;
    HWND another = nullptr;
    std::set<std::uint64_t> views;
    harness::Pump(1500);
    for (const Monitor& monitor : monitors) {
        const auto over = std::find_if(windows.begin(), windows.end(), [&](HWND w) {
            RECT r{};
            ::GetWindowRect(w, &r);
            return ::EqualRect(&r, &monitor.rect) != FALSE;
        });
        const std::string where = "the monitor at " + Describe(monitor.rect);
        if (!Check(over != windows.end(), where + " is covered")) continue;
        const HWND w = *over;
        (monitor.primary ? primary : another) = w;
        Check((::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, where + ": top-most");
        Check(::SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) == TRUE,
              where + ": the cursor is hidden");
        Check(harness::CountGreenPixels(w) > 0, where + ": rows of green on the screen");
        Check(harness::QueryLitPixels(w) > 0, where + ": rows of green in the store");
        views.insert(QueryViewHash(w));
        if (monitor.primary) {
            const RECT& r = monitor.rect;
            Check(QueryViewHash(w) == FirstViewHashAlone(kSeed, r.right - r.left, r.bottom - r.top),
                  where + ": the primary's window draws what the saver alone draws for its seed");
            Check(::GetForegroundWindow() == w, where + ": the primary's window is the active one");
        }
    }
    Check(views.size() == monitors.size(), "every monitor shows a picture of its own");
    if (primary == nullptr || another == nullptr) return harness::Finish();

    // Activation passing to another of the saver's windows, and a display
    // change that leaves the layout as it was: nothing closes.
    ::PostMessageW(primary, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(another));
    ::PostMessageW(another, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(primary));
    ::SendMessageW(primary, WM_DISPLAYCHANGE, 32, MAKELPARAM(monitors[0].rect.right, monitors[0].rect.bottom));
    ::SendMessageW(another, WM_DISPLAYCHANGE, 32, MAKELPARAM(monitors[0].rect.right, monitors[0].rect.bottom));
    harness::Pump(500);
    std::vector<HWND> after = VisibleWindowsOf(saver.Id());
    std::sort(after.begin(), after.end());
    std::sort(windows.begin(), windows.end());
    Check(saver.Running() && after == windows,
          "activation between its own windows and an unchanged layout keep every window");

    // A key at another monitor's window ends every window and the program.
    ::PostMessageW(another, WM_KEYDOWN, 'A', 1);
    const bool ended = saver.WaitExit(15000);  // Wine without a window manager hides each window in up to 2 s
    Check(ended && saver.ExitCode() == 0, "a key at another monitor's window ends the saver with status 0");
    Check(VisibleWindowsOf(saver.Id()).empty(), "no window stays behind");
    harness::settings::Clear(L"quorvana");
    return harness::Finish();
}
