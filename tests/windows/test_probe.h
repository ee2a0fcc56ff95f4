// The tests' probe: a registered window message that a fractal window of
// the tests' build (compiled with QUORVANA_TEST_PROBE, see test_variant.cmake)
// answers with a fact about itself, chosen by wParam. The shipped
// quorvana.scr neither registers nor answers it.
// (Under Wine a preview whose host belongs to another process draws into
// its store but is not shown on the screen, so the tests ask the store.)
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>

#include <windows.h>

inline constexpr wchar_t kProbeMessageName[] = L"Quorvana.Test.Probe";

enum ProbeQuery : WPARAM {
    // The period in milliseconds last handed to SetTimer for timer 1 (0 before).
    kProbeTimerPeriod = 0,
    // How many pixels of the backing store are not black.
    kProbeLitPixels = 1,
    // ViewHash of the picture being drawn: the view, c and the picture's size.
    kProbeViewHash = 2,
};

// FNV-1a over the bits of a view (reMin, reMax, imMin, imMax, cRe, cIm) and
// the picture's size: two windows with equal hashes draw the same picture.
inline std::uint64_t ViewHash(std::initializer_list<double> view, int width, int height)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    const auto add = [&](std::uint64_t value) {
        for (int byte = 0; byte < 8; ++byte) hash = (hash ^ ((value >> (8 * byte)) & 0xFF)) * 0x100000001b3u;
    };
    for (double v : view) add(std::bit_cast<std::uint64_t>(v));
    add(static_cast<std::uint32_t>(width));
    add(static_cast<std::uint32_t>(height));
    return hash;
}

inline UINT ProbeMessage() { return ::RegisterWindowMessageW(kProbeMessageName); }
