// SPDX-License-Identifier: MIT
// Benchmark: the time of one tick on a 1920 x 1080 window, drawn through the
// window's pixel store and presented with one blit per row, against the same
// tick drawn pixel by pixel with SetPixelV on the window's DC. Both renderers
// start from the same seed, so they draw the same rows. Prints the mean time
// per tick of each and their ratio, measured side by side in one run.
#include <cstdio>

#include <windows.h>

#include "fw/dc.h"
#include "fw/win_app.h"
#include "fw/wnd.h"
#include "render/julia_renderer.h"
#include "wnd/backing_store.h"

namespace {

CWinApp s_benchApp(L"tick_bench");

// The renderer's surface as a window DC: every pixel through GDI.
class WindowDcSurface final : public quorvana::Surface {
public:
    WindowDcSurface(HDC dc, int width, int height) : m_dc(dc), m_width(width), m_height(height) {}
    void SetPixel(int x, int y, quorvana::COLORREF colour) override { ::SetPixelV(m_dc, x, y, colour); }
    quorvana::COLORREF GetPixel(int x, int y) const override
    {
        const COLORREF value = ::GetPixel(m_dc, x, y);
        return value == CLR_INVALID ? quorvana::kNoPixel : static_cast<quorvana::COLORREF>(value);
    }
    void FillBlack(const quorvana::Rect& rect) override
    {
        const RECT r{rect.left, rect.top, rect.right, rect.bottom};
        ::FillRect(m_dc, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));  // stock: nothing to delete
    }
    quorvana::Rect ClientRect() const override { return {0, 0, m_width, m_height}; }

private:
    HDC m_dc;
    int m_width;
    int m_height;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int ticks = argc > 1 ? _wtoi(argv[1]) : 400;
    constexpr int kWidth = 1920;
    constexpr int kHeight = 1080;
    constexpr std::uint32_t kSeed = 12345;

    CWnd window;
    window.CreateEx(0, nullptr, L"tick bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);

    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);

    // Through the pixel store: draw the row in memory, blit the row.
    BackingStore backing;
    backing.Resize(kWidth, kHeight);
    quorvana::JuliaRenderer storeRenderer(kSeed);
    {
        CClientDC dc(&window);
        storeRenderer.RestartPicture(backing.Surface());
        backing.PresentChanges(dc.m_hDC);
    }
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < ticks; ++i) {
        CClientDC dc(&window);
        storeRenderer.DrawNextRow(backing.Surface());
        backing.PresentChanges(dc.m_hDC);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&end);
    const double store = Seconds(start, end, frequency) / ticks;

    // Through SetPixelV on the window DC.
    quorvana::JuliaRenderer dcRenderer(kSeed);
    {
        CClientDC dc(&window);
        WindowDcSurface surface(dc.m_hDC, kWidth, kHeight);
        dcRenderer.RestartPicture(surface);
    }
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < ticks; ++i) {
        CClientDC dc(&window);
        WindowDcSurface surface(dc.m_hDC, kWidth, kHeight);
        dcRenderer.DrawNextRow(surface);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&end);
    const double direct = Seconds(start, end, frequency) / ticks;

    std::printf("1920 x 1080, %d ticks (half of them draw a row)\n", ticks);
    std::printf("pixel store + one blit per row: %8.3f ms per tick\n", store * 1e3);
    std::printf("SetPixelV on the window DC:     %8.3f ms per tick\n", direct * 1e3);
    std::printf("ratio SetPixelV / pixel store:  %8.1f\n", direct / store);
    window.DestroyWindow();
    return 0;
}
