// The answer of a fractal window to the tests' probe; compiled only into
// the tests' build of the program (test_variant.cmake).
#include "tests/windows/test_probe.h"
#include "wnd/julia_wnd.h"

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
    case kProbeViewHash: {
        const quorvana::JuliaRenderer& r = m_renderer;
        return static_cast<LRESULT>(
            ViewHash({r.m_reMin, r.m_reMax, r.m_imMin, r.m_imMax, r.m_cRe, r.m_cIm}, r.m_width, r.m_height));
    }
    default:
        return 0;
    }
}
