// SPDX-License-Identifier: MIT
// The tests' probe: a registered window message that a fractal window of
// the tests' build answers with a fact about itself, chosen by wParam. The
// tests' window observer (probe_observer.cpp, see test_variant.cmake) teaches
// the windows to answer it; the shipped quorvana.scr neither registers nor
// answers it. The tests' build also seeds every saver with kProbeSaverSeed,
// so a test knows what its windows draw.
// (Under Wine a preview whose host belongs to another process draws into
// its store but is not shown on the screen, so the tests ask the store.)
#pragma once

#include <cstdint>

#include <windows.h>

inline constexpr wchar_t kProbeMessageName[] = L"Quorvana.Test.Probe";
inline constexpr std::uint32_t kProbeSaverSeed = 4242;

enum ProbeQuery : WPARAM {
    // The period in milliseconds last handed to SetTimer for timer 1 (0 before).
    kProbeTimerPeriod = 0,
    // How many pixels of the backing store are not black.
    kProbeLitPixels = 1,
    // The bits of c's real part in the picture being drawn: it names the random view.
    kProbeConstantRe = 2,
};

inline UINT ProbeMessage() { return ::RegisterWindowMessageW(kProbeMessageName); }
