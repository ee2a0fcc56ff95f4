// SPDX-License-Identifier: MIT
// The tests' window observer (wnd/window_observer.h), linked into the tests'
// build of quorvana.scr and into the tests that make windows in their own
// process. It seeds every saver with kProbeSaverSeed and subclasses each
// fractal window as it is made, so that the window answers the probe of
// test_probe.h from what the observer was told; every other message goes on
// to the window's own procedure untouched.
#include "tests/windows/probe_observer.h"

#include <bit>
#include <map>

#include "fw/wnd.h"
#include "tests/windows/test_probe.h"
#include "wnd/julia_wnd.h"
#include "wnd/window_observer.h"

namespace {

struct Watched {
    const CWnd* object = nullptr;
    const quorvana::JuliaRenderer* renderer = nullptr;
    const quorvana::PixelStore* store = nullptr;
    WNDPROC windowProc = nullptr;  // the window's own procedure
    UINT timerPeriod = 0;
};

// All on the GUI thread, as the windows are: the windows made and not yet
// destroyed, and the objects whose window has gone but whose last dispatch
// has not yet returned.
std::map<HWND, Watched> s_watched;
std::map<const CWnd*, HWND> s_destroyed;
LPCWSTR s_fractalClass = nullptr;
std::function<void(HWND)> s_released;

LRESULT Answer(const Watched& watched, WPARAM query)
{
    switch (query) {
    case kProbeTimerPeriod:
        return watched.timerPeriod;
    case kProbeLitPixels: {
        const quorvana::PixelStore& store = *watched.store;
        LRESULT lit = 0;
        for (int y = 0; y < store.Height(); ++y)
            for (int x = 0; x < store.Width(); ++x) lit += (store.Row(y)[x] & 0xFFFFFF) != 0;
        return lit;
    }
    case kProbeConstantRe:
        return std::bit_cast<LRESULT>(watched.renderer->CurrentView().cRe);
    default:
        return 0;
    }
}

LRESULT CALLBACK ProbedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = s_watched.find(window);
    if (found == s_watched.end()) return ::DefWindowProcW(window, message, wParam, lParam);
    const Watched watched = found->second;
    if (message == ProbeMessage()) return Answer(watched, wParam);
    if (message == WM_NCDESTROY) {
        s_watched.erase(found);
        s_destroyed[watched.object] = window;
    }
    return ::CallWindowProcW(watched.windowProc, window, message, wParam, lParam);
}

}  // namespace

namespace window_observer {

std::uint32_t SaverSeed() { return kProbeSaverSeed; }

void ClassRegistered(LPCWSTR className) { s_fractalClass = className; }

void Made(HWND window, const quorvana::JuliaRenderer& renderer, const quorvana::PixelStore& store)
{
    Watched& watched = s_watched[window];
    watched = Watched{CWnd::FromHandlePermanent(window), &renderer, &store};
    watched.windowProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ProbedWindowProc)));
}

void TimerArmed(HWND window, UINT period)
{
    if (const auto found = s_watched.find(window); found != s_watched.end()) found->second.timerPeriod = period;
}

void Released(const CJuliaWnd& object)
{
    const auto found = s_destroyed.find(&object);
    if (found == s_destroyed.end()) return;
    const HWND window = found->second;
    s_destroyed.erase(found);
    if (s_released) s_released(window);
}

}  // namespace window_observer

namespace probe {

LPCWSTR FractalClass() { return s_fractalClass; }
void OnReleased(std::function<void(HWND)> released) { s_released = std::move(released); }

}  // namespace probe
