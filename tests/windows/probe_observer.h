// SPDX-License-Identifier: MIT
// What the tests' window observer (probe_observer.cpp) offers a test that
// makes fractal windows in its own process, besides the probe message.
#pragma once

#include <functional>

#include <windows.h>

namespace probe {

// The name the fractal windows' class was registered under; null before.
LPCWSTR FractalClass();
// Called with a fractal window's handle once its last message has left its
// dispatch (PostNcDestroy); none when empty.
void OnReleased(std::function<void(HWND)> released);

}  // namespace probe
