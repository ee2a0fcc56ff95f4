// SPDX-License-Identifier: MIT
// The settings dialog at 100 %, 150 % and 200 %: with LogPixels and Windows
// 10-like window metrics (a 22-pixel caption at 100 %, in twips so that it
// grows with the scale) in the Wine registry, quorvana.scr's dialog runs at
// that DPI and keeps its preview inside the client area and above the
// "Speed" group, with the gaps it has at 96 DPI scaled to the window's DPI.
#include <cstdlib>
#include <iterator>
#include <string>

#include "tests/windows/harness.h"
#include "ui/resource.h"

using harness::Check;
namespace registry = harness::registry;

namespace {

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
const wchar_t kMetricsKey[] = L"Control Panel\\Desktop\\WindowMetrics";

// Windows 10's own values, in twips (negative), for every scale.
const struct {
    const wchar_t* name;
    const wchar_t* twips;
} kWindowsMetrics[] = {
    {L"CaptionHeight", L"-330"}, {L"CaptionWidth", L"-330"}, {L"BorderWidth", L"-15"},
    {L"PaddedBorderWidth", L"-60"}, {L"ScrollHeight", L"-255"}, {L"ScrollWidth", L"-255"},
};

RECT ClientRectOf(HWND dialog, HWND child)
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Text(const RECT& r)
{
    std::string text = "(";
    text += std::to_string(r.left) + ", " + std::to_string(r.top);
    text += ")-(";
    text += std::to_string(r.right) + ", " + std::to_string(r.bottom);
    text += ")";
    return text;
}

void LayoutAt(const std::wstring& program, UINT dpi)
{
    const std::string what = std::to_string(dpi) + " DPI";
    registry::WriteDword(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", dpi);
    harness::Process process = harness::Process::Start(program, L"/c");
    const HWND dialog = harness::WaitForTopWindow(process.Id(), 10000);
    if (!Check(dialog != nullptr, what + ": the dialog opens")) return;

    HWND preview = nullptr;
    HWND speedGroup = nullptr;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
        wchar_t text[32] = {};
        ::GetWindowTextW(c, text, 32);
        if (std::wstring(text) == L"Speed") speedGroup = c;
        if (::GetDlgCtrlID(c) == 0) preview = c;  // the one child made without a control id
    }
    if (!Check(preview != nullptr && speedGroup != nullptr, what + ": the preview and the Speed group exist")) return;

    const auto scaled = [dpi](int pixels) { return ::MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); };
    RECT client{};
    ::GetClientRect(dialog, &client);
    // The dialog's size follows its font, and so the scale.
    static int width96 = 0;
    if (dpi == USER_DEFAULT_SCREEN_DPI) width96 = client.right;
    const int width = ::MulDiv(width96, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    Check(std::abs(client.right - width) <= width / 30,
          what + ": the dialog is " + std::to_string(width) + " wide, got " + std::to_string(client.right));
    const RECT speed = ClientRectOf(dialog, speedGroup);
    const RECT got = ClientRectOf(dialog, preview);
    const RECT want{scaled(10), scaled(10), client.right - scaled(10), speed.top - scaled(14)};
    Check(got.left == want.left && got.top == want.top && got.right == want.right && got.bottom == want.bottom,
          what + ": preview at " + Text(want) + ", got " + Text(got) + " in a client area " + Text(client));
    Check(got.right < client.right && got.bottom < speed.top, what + ": the preview stays inside, above the Speed group");

    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    Check(process.WaitExit(5000), what + ": Cancel ends the program");
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    // Rectangles in the screen's own pixels, whatever the other program's DPI.
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    std::wstring wineMetrics[std::size(kWindowsMetrics)];
    for (std::size_t i = 0; i < std::size(kWindowsMetrics); ++i) {
        wineMetrics[i] = registry::ReadString(HKEY_CURRENT_USER, kMetricsKey, kWindowsMetrics[i].name).value_or(L"");
        registry::WriteString(HKEY_CURRENT_USER, kMetricsKey, kWindowsMetrics[i].name, kWindowsMetrics[i].twips);
    }
    for (UINT dpi : {96u, 144u, 192u}) LayoutAt(argv[1], dpi);
    // The session's other tests run at Wine's own 96 DPI and metrics.
    registry::WriteDword(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", USER_DEFAULT_SCREEN_DPI);
    for (std::size_t i = 0; i < std::size(kWindowsMetrics); ++i)
        registry::WriteString(HKEY_CURRENT_USER, kMetricsKey, kWindowsMetrics[i].name, wineMetrics[i]);
    return harness::Finish();
}
