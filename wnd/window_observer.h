// SPDX-License-Identifier: MIT
// The one seam between the fractal windows and whoever watches them: the
// windows call these functions at the moments named below, and the saver's
// seed comes from here. The build picks the body: the shipped program links
// window_observer.cpp, which watches nothing and seeds the saver with the
// calendar time; the tests' build of the program, and the tests that make
// windows in their own process, link tests/windows/probe_observer.cpp
// instead (a fixed seed, and the answers to the tests' probe). Nothing else
// in the windows knows whether it is being watched.
#pragma once

#include <cstdint>

#include <windows.h>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"

class CJuliaWnd;

namespace window_observer {

// The seed of a saver's renderers (the primary's; the others' follow from
// it, saver/monitor_seed.h).
std::uint32_t SaverSeed();

// The fractal windows' class has been registered under this name (once per process).
void ClassRegistered(LPCWSTR className);
// A fractal window has been made (its WM_CREATE): it draws with renderer
// into store (its backing store's pixels), both its own and alive as long
// as its window is.
void Made(HWND window, const quorvana::JuliaRenderer& renderer, const quorvana::PixelStore& store);
// Timer 1 of the window has been set with this period.
void TimerArmed(HWND window, UINT period);
// The window's last message has left its dispatch (PostNcDestroy); an object
// that deletes itself does so right after.
void Released(const CJuliaWnd& window);

}  // namespace window_observer
