// SPDX-License-Identifier: MIT
// The answer of a fractal window to the tests' probe, and the class the
// window-class rule registered; compiled only into the tests' build of the
// program (test_variant.cmake).
#include <bit>

#include "tests/windows/test_probe.h"
#include "wnd/julia_wnd.h"

LPCWSTR CJuliaWnd::ProbeFractalClass() { return s_lpszFractalClass; }

LRESULT CJuliaWnd::OnProbe(WPARAM query, LPARAM)
{
    switch (query) {
    case kProbeTimerPeriod:
        return m_timerPeriod;
    case kProbeLitPixels: {
        const quorvana::PixelStore& store = m_backing.Store();
        LRESULT lit = 0;
        for (int y = 0; y < store.Height(); ++y)
            for (int x = 0; x < store.Width(); ++x) lit += (store.Row(y)[x] & 0xFFFFFF) != 0;
        return lit;
    }
    case kProbeConstantRe:
        return std::bit_cast<LRESULT>(m_renderer.m_cRe);
    default:
        return 0;
    }
}
