// SPDX-License-Identifier: MIT
// preview_host: a host window for trying preview mode by hand, as the
// display settings' little monitor would be. It starts the saver with
// "/p <its handle>" and ends when it is closed, which also ends the preview;
// its exit code is the saver's.
//   preview_host.exe PROGRAM [WIDTH HEIGHT]
// Under Wine 8 the preview runs but is not shown: Wine does not present GDI
// drawing of a child window whose top-level window belongs to another process.
#include <cstdio>
#include <cwchar>
#include <string>

#include <windows.h>

namespace {

constexpr int kDefaultWidth = 400;
constexpr int kDefaultHeight = 300;
constexpr int kMaxSide = 4096;
constexpr int kExitBadArgument = 2;
constexpr DWORD kSaverExitWaitMs = 5000;

// The saver's process; killed if it outlives the host by too long.
class SaverProcess {
public:
    explicit SaverProcess(const std::wstring& program, HWND host)
    {
        std::wstring commandLine =
            L"\"" + program + L"\" /p " + std::to_wstring(reinterpret_cast<ULONG_PTR>(host));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &m_info))
            m_info = {};
    }
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;
    ~SaverProcess()
    {
        if (m_info.hProcess == nullptr) return;
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_info.hProcess, 1);
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }

    bool Started() const { return m_info.hProcess != nullptr; }
    // The saver's exit code once it ended within the wait, 1 otherwise.
    int WaitExitCode() const
    {
        DWORD code = 1;
        if (::WaitForSingleObject(m_info.hProcess, kSaverExitWaitMs) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(m_info.hProcess, &code);
        return static_cast<int>(code);
    }

private:
    PROCESS_INFORMATION m_info{};
};

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The window clips its children, so its background never covers the preview.
HWND CreateHost(int width, int height)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"QuorvanaPreviewHost";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"Quorvana preview host",
                             WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 100, 100, width, height, nullptr,
                             nullptr, wc.hInstance, nullptr);
}

bool ParseSide(const wchar_t* text, int* side)
{
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    if (end == text || *end != L'\0' || value < 1 || value > kMaxSide) return false;
    *side = static_cast<int>(value);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: preview_host PROGRAM [WIDTH HEIGHT]\n");
        return kExitBadArgument;
    }
    if (argc == 4 && (!ParseSide(argv[2], &width) || !ParseSide(argv[3], &height))) {
        std::fprintf(stderr, "preview_host: WIDTH and HEIGHT must be whole numbers from 1 to %d\n", kMaxSide);
        return kExitBadArgument;
    }
    const HWND host = CreateHost(width, height);
    if (host == nullptr) return 1;
    const SaverProcess saver(argv[1], host);
    if (!saver.Started()) {
        std::fprintf(stderr, "preview_host: cannot start PROGRAM '%ls' (error %lu)\n", argv[1], ::GetLastError());
        ::DestroyWindow(host);
        return kExitBadArgument;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return saver.WaitExitCode();
}
