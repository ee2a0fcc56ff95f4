// SPDX-License-Identifier: MIT
#include "tests/windows/harness.h"

#include <cstdio>
#include <string_view>

#include "tests/windows/test_probe.h"

namespace harness {

namespace {
int s_checks = 0;
int s_failures = 0;
}  // namespace

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

bool Check(bool ok, const std::string& what, std::source_location where)
{
    ++s_checks;
    if (!ok) {
        ++s_failures;
        const std::string_view file = where.file_name();
        const std::size_t slash = file.find_last_of("\\/");
        const std::string_view name = slash == std::string_view::npos ? file : file.substr(slash + 1);
        std::printf("%.*s:%u: FAIL: %s\n", static_cast<int>(name.size()), name.data(),
                    static_cast<unsigned>(where.line()), what.c_str());
        std::fflush(stdout);
    }
    return ok;
}

int Finish()
{
    std::printf("%d checks, %d failed\n", s_checks, s_failures);
    return s_failures == 0 ? 0 : 1;
}

Process::Process(Process&& other) noexcept : m_info(other.m_info) { other.m_info = {}; }

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        this->~Process();
        m_info = other.m_info;
        other.m_info = {};
    }
    return *this;
}

Process::~Process()
{
    if (m_info.hProcess == nullptr) return;
    if (Running()) Kill();
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

Process Process::Start(const std::wstring& program, const std::wstring& commandTail)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!commandTail.empty()) commandLine += L" " + commandTail;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    Process process;
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process.m_info)) {
        process.m_info = {};
        std::printf("cannot start %s (error %lu)\n", Narrow(commandLine).c_str(), ::GetLastError());
    }
    return process;
}

bool Process::WaitExit(DWORD timeoutMs)
{
    if (m_info.hProcess == nullptr) return true;
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
        const DWORD result = ::MsgWaitForMultipleObjects(1, &m_info.hProcess, FALSE, left, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0) return true;
        if (result == WAIT_TIMEOUT) return false;
        Pump(0);
    }
}

bool Process::Running() const
{
    return m_info.hProcess != nullptr && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_info.hProcess != nullptr) ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void Process::Kill()
{
    if (m_info.hProcess == nullptr) return;
    ::TerminateProcess(m_info.hProcess, 99);
    ::WaitForSingleObject(m_info.hProcess, 5000);
}

void Pump(DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (ms > 0) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount64() < end);
}

namespace {
struct WindowSearch {
    DWORD processId;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchProcess(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (search->visibleOnly && !::IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

HWND FindTopWindow(DWORD processId)
{
    WindowSearch search{processId, false, nullptr};
    ::EnumWindows(&MatchProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(DWORD processId, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    do {
        WindowSearch search{processId, true, nullptr};
        ::EnumWindows(&MatchProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Pump(20);
    } while (::GetTickCount64() < end);
    return nullptr;
}

HWND WaitForChild(HWND parent, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    do {
        // A window made with WS_VISIBLE is linked in before its creation
        // messages and shown only after them, so wait for it to be shown.
        const HWND child = ::GetWindow(parent, GW_CHILD);
        if (child != nullptr && (::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0) return child;
        Pump(20);
    } while (::GetTickCount64() < end);
    return nullptr;
}

namespace {
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        ::BeginPaint(window, &paint);
        ::EndPaint(window, &paint);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

HostWindow::HostWindow(int x, int y, int width, int height)
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &HostProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"QuorvanaTestHost";
        return ::RegisterClassW(&wc);
    }();
    (void)atom;
    m_hWnd = ::CreateWindowExW(0, L"QuorvanaTestHost", L"Quorvana test host",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, x, y,
                               width, height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    Pump(100);
}

HostWindow::~HostWindow() { Destroy(); }

void HostWindow::Destroy()
{
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

std::wstring DirectoryOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring CopyProgramAs(const std::wstring& program, const std::wstring& fileName)
{
    const std::wstring copy = DirectoryOf(program) + fileName;
    ::CopyFileW(program.c_str(), copy.c_str(), FALSE);
    return copy;
}

namespace registry {

bool KeyExists(HKEY root, const std::wstring& key)
{
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    ::RegCloseKey(handle);
    return true;
}

std::optional<DWORD> ReadDword(HKEY root, const std::wstring& key, const std::wstring& value)
{
    DWORD data = 0, size = sizeof data;
    const LSTATUS status = ::RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_DWORD, nullptr, &data, &size);
    return status == ERROR_SUCCESS ? std::optional(data) : std::nullopt;
}

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const std::wstring& value)
{
    wchar_t text[1024];
    DWORD size = sizeof text;
    const LSTATUS status = ::RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, text, &size);
    return status == ERROR_SUCCESS ? std::optional<std::wstring>(text) : std::nullopt;
}

void WriteDword(HKEY root, const std::wstring& key, const std::wstring& value, DWORD data)
{
    ::RegSetKeyValueW(root, key.c_str(), value.c_str(), REG_DWORD, &data, sizeof data);
}

void WriteString(HKEY root, const std::wstring& key, const std::wstring& value, const std::wstring& text)
{
    ::RegSetKeyValueW(root, key.c_str(), value.c_str(), REG_SZ, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace registry

namespace settings {

namespace {
std::wstring AppPath(const std::wstring& app) { return L"Software\\Quorvana\\" + app; }
std::wstring SectionPath(const std::wstring& app) { return AppPath(app) + L"\\Config"; }
}  // namespace

void Clear(const std::wstring& app) { ::RegDeleteTreeW(HKEY_CURRENT_USER, AppPath(app).c_str()); }

bool AppKeyExists(const std::wstring& app) { return registry::KeyExists(HKEY_CURRENT_USER, AppPath(app)); }

void WriteRaw(const std::wstring& app, const std::wstring& entry, DWORD type, const void* data, DWORD size)
{
    ::RegSetKeyValueW(HKEY_CURRENT_USER, SectionPath(app).c_str(), entry.c_str(), type, data, size);
}

void WriteDword(const std::wstring& app, const std::wstring& entry, DWORD value)
{
    WriteRaw(app, entry, REG_DWORD, &value, sizeof value);
}

std::optional<DWORD> ReadDword(const std::wstring& app, const std::wstring& entry)
{
    return registry::ReadDword(HKEY_CURRENT_USER, SectionPath(app), entry);
}

}  // namespace settings

std::optional<UINT> QueryTimerPeriod(HWND window)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, ProbeMessage(), kProbeTimerPeriod, 0, SMTO_ABORTIFHUNG, 2000, &result))
        return std::nullopt;
    return static_cast<UINT>(result);
}

long long QueryLitPixels(HWND window)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, ProbeMessage(), kProbeLitPixels, 0, SMTO_ABORTIFHUNG, 5000, &result))
        return -1;
    return static_cast<long long>(result);
}

std::vector<DWORD> CaptureScreen(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<DWORD> pixels;
    if (width <= 0 || height <= 0) return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    pixels.assign(p, p + static_cast<std::size_t>(width) * height);
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

int CountGreenPixels(HWND window)
{
    RECT rect{};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    int green = 0;
    for (DWORD pixel : CaptureScreen(rect))
        if ((pixel & 0xFF00FF) == 0 && (pixel & 0x00FF00) != 0) ++green;
    return green;
}

}  // namespace harness
