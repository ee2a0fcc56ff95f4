// SPDX-License-Identifier: MIT
// Saver mode on monitors_test.sh's Xinerama heads: a top-most window over each monitor, each its own picture, the
// primary's that of the saver alone; activation between them and an unchanged layout close nothing; a key at
// another monitor's window ends them all. (What a layout change asks is a table in tests/saver.)
#include <algorithm>
#include <bit>
#include <set>
#include <string>
#include <vector>
#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/windows/harness.h"
#include "tests/windows/test_probe.h"

using harness::Check;
int wmain(int argc, wchar_t** argv)
{
    std::vector<RECT> monitors{RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}};
    ::EnumDisplayMonitors(nullptr, nullptr, [](HMONITOR, HDC, LPRECT r, LPARAM all) {
        if (r->left != 0 || r->top != 0) reinterpret_cast<std::vector<RECT>*>(all)->push_back(*r);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&monitors));
    for (const RECT& m : monitors) std::printf("monitor at %ld,%ld\n", m.left, m.top);
    if (argc < 2 || !Check(monitors.size() >= 2, "several monitors")) return harness::Finish();
    harness::settings::WriteDword(L"quorvana", L"Speed", 90);  // a picture lasts long enough to be asked about
    harness::Process saver = harness::Process::Start(argv[1], L"/s");
    harness::WaitForTopWindow(saver.Id(), 10000), harness::Pump(2000);
    std::vector<HWND> windows;  // in the monitors' order, the primary's first
    std::vector<LRESULT> pictures;
    for (const RECT& m : monitors) {
        const HWND w = ::WindowFromPoint(POINT{m.left + 1, m.top + 1});
        RECT rect{};
        DWORD owner = 0;
        DWORD_PTR constantRe = 0;
        ::GetWindowRect(w, &rect), ::GetWindowThreadProcessId(w, &owner);
        ::SendMessageTimeoutW(w, ProbeMessage(), kProbeConstantRe, 0, SMTO_ABORTIFHUNG, 2000, &constantRe);
        if (Check(owner == saver.Id() && ::EqualRect(&rect, &m) && (::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
                      harness::CountGreenPixels(w) > 0,
                  "monitor at " + std::to_string(m.left) + ": a top-most window of the saver showing rows of green"))
            windows.push_back(w), pictures.push_back(static_cast<LRESULT>(constantRe));
    }
    quorvana::JuliaRenderer alone(kProbeSaverSeed);  // the saver alone on the primary, as the tests' build seeds it
    quorvana::PixelStore primary(monitors[0].right, monitors[0].bottom);
    alone.RestartPicture(primary);
    Check(pictures.size() == monitors.size() && pictures[0] == std::bit_cast<LRESULT>(alone.CurrentView().cRe) &&
              std::set<LRESULT>(pictures.begin(), pictures.end()).size() == pictures.size(),
          "the primary's window draws the saver alone's picture, every monitor a picture of its own");
    if (windows.size() < 2) return harness::Finish();
    ::PostMessageW(windows[0], WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(windows[1]));
    ::SendMessageW(windows[0], WM_DISPLAYCHANGE, 32, 0);
    harness::Pump(500);
    Check(std::all_of(windows.begin(), windows.end(), ::IsWindowVisible),
          "activation passing between its windows and an unchanged layout keep every window");
    ::PostMessageW(windows[1], WM_KEYDOWN, 'A', 1);
    // Wine without a window manager hides each full-screen window in up to 2 s.
    Check(saver.WaitExit(15000) && saver.ExitCode() == 0, "a key at another monitor's window ends all, status 0");
    return harness::Finish();
}
