// SPDX-License-Identifier: MIT
// The shipped program's side of the seam: nobody watches, and each saver
// draws from the calendar time.
#include "wnd/window_observer.h"

#include "saver/monitor_seed.h"

namespace window_observer {

std::uint32_t SaverSeed() { return quorvana::SeedFromClock(); }
void ClassRegistered(LPCWSTR) {}
void Made(HWND, const quorvana::JuliaRenderer&, const quorvana::PixelStore&) {}
void TimerArmed(HWND, UINT) {}
void Released(const CJuliaWnd&) {}

}  // namespace window_observer
