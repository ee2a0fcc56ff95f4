// SPDX-License-Identifier: MIT
// Preview mode (/p N) inside a host window of the test's own: the preview
// fills the host's client area, draws rows, and the process ends soon after
// the host goes away. Bad host handles end the program at once.
#include <string>

#include "tests/windows/harness.h"

using harness::Check;

namespace {

void PreviewFillsHostAndDraws(const std::wstring& program)
{
    harness::HostWindow host(40, 40, 400, 300);
    const std::wstring handle = std::to_wstring(reinterpret_cast<ULONG_PTR>(host.Get()));
    // A further argument after the handle is ignored.
    harness::Process saver = harness::Process::Start(program, L"/p " + handle + L" extra");
    const HWND preview = harness::WaitForChild(host.Get(), 10000);
    if (!Check(preview != nullptr, "/p N: a visible child window appears in the host")) return;

    DWORD owner = 0;
    ::GetWindowThreadProcessId(preview, &owner);
    Check(owner == saver.Id(), "/p N: the child belongs to the saver process");
    RECT hostClient{}, previewRect{};
    ::GetClientRect(host.Get(), &hostClient);
    ::GetWindowRect(preview, &previewRect);
    ::MapWindowPoints(nullptr, host.Get(), reinterpret_cast<POINT*>(&previewRect), 2);
    Check(::EqualRect(&hostClient, &previewRect) != 0, "/p N: the preview covers exactly the host's client area");
    const LONG style = ::GetWindowLongW(preview, GWL_STYLE);
    Check((style & WS_CHILD) != 0, "/p N: the preview is a child window");

    harness::Pump(1500);
    // Wine 8 does not show a child window whose top-level window belongs to
    // another process, so the rows are looked for in the preview's store.
    Check(harness::QueryLitPixels(preview) > 0, "/p N: rows are drawn after some ticks");

    host.Destroy();
    const ULONGLONG destroyed = ::GetTickCount64();
    const bool ended = saver.WaitExit(5000);
    const ULONGLONG took = ::GetTickCount64() - destroyed;
    Check(ended, "/p N: the process ends when the host is destroyed");
    Check(took <= 1000, "/p N: ... within a second (took " + std::to_string(took) + " ms)");
    Check(saver.ExitCode() == 0, "/p N: exit code 0");
}

void BadHostHandleEndsAtOnce(const std::wstring& program)
{
    // A window that existed and is gone: a dead handle.
    HWND dead = nullptr;
    {
        harness::HostWindow gone(0, 0, 100, 100);
        dead = gone.Get();
    }
    const struct {
        std::wstring tail;
        const char* what;
    } cases[] = {
        {L"/p", "/p without a handle"},
        {L"/p abc", "/p with a handle that is not a number"},
        {L"/p " + std::to_wstring(reinterpret_cast<ULONG_PTR>(dead)), "/p with the handle of a destroyed window"},
    };
    for (const auto& c : cases) {
        harness::Process saver = harness::Process::Start(program, c.tail);
        const HWND window = harness::WaitForTopWindow(saver.Id(), 300);
        const bool ended = saver.WaitExit(5000);
        Check(ended, std::string(c.what) + ": ends at once");
        Check(window == nullptr, std::string(c.what) + ": shows no window");
        Check(saver.ExitCode() == 2, std::string(c.what) + ": exit code 2, got " + std::to_string(saver.ExitCode()));
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    PreviewFillsHostAndDraws(argv[1]);
    BadHostHandleEndsAtOnce(argv[1]);
    return harness::Finish();
}
