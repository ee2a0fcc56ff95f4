// A host window for trying preview mode by hand, as the display settings'
// little monitor would: it starts the saver with "/p <its handle>" and ends
// when it is closed, which also ends the preview.
//   preview_host.exe PROGRAM [WIDTH HEIGHT]
// Under Wine 8 the preview runs but is not shown: Wine does not present GDI
// drawing of a child window whose top-level window belongs to another process.
#include <string>

#include "tests/windows/harness.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    const int width = argc > 3 ? _wtoi(argv[2]) : 400;
    const int height = argc > 3 ? _wtoi(argv[3]) : 300;
    harness::HostWindow host(100, 100, width, height);
    ::SetWindowTextW(host.Get(), L"Quorvana preview host");
    harness::Process saver =
        harness::Process::Start(argv[1], L"/p " + std::to_wstring(reinterpret_cast<ULONG_PTR>(host.Get())));
    MSG msg;
    while (::IsWindow(host.Get()) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    host.Destroy();
    return saver.WaitExit(5000) ? static_cast<int>(saver.ExitCode()) : 1;
}
