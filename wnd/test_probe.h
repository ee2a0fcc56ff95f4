// Test hook, used only by the tests under tests/windows: a registered window
// message that a fractal window answers with a fact about itself, chosen by
// wParam. It changes nothing, so it is safe to leave in the shipped program.
// (Under Wine a preview whose host belongs to another process draws into
// its store but is not shown on the screen, so the tests ask the store.)
#pragma once

#include <windows.h>

inline constexpr wchar_t kProbeMessageName[] = L"Quorvana.Test.Probe";

enum ProbeQuery : WPARAM {
    // The period in milliseconds last handed to SetTimer for timer 1 (0 before).
    kProbeTimerPeriod = 0,
    // How many pixels of the backing store are not black.
    kProbeLitPixels = 1,
};

inline UINT ProbeMessage() { return ::RegisterWindowMessageW(kProbeMessageName); }
