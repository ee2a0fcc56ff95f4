// SPDX-License-Identifier: MIT
// Building blocks for the Windows tests, which run under Wine in a virtual
// display: checks that count failures, starting quorvana.scr as a child
// process, finding its windows, host windows of the test's own, the Wine
// registry (any key, and the settings under HKCU\Software\Quorvana), the
// probe and reading what a window shows on the screen.
#pragma once

#include <optional>
#include <source_location>
#include <string>
#include <vector>

#include <windows.h>

namespace harness {

// Records one check; prints a line for each failure, with the file and line
// of the check.
bool Check(bool ok, const std::string& what, std::source_location where = std::source_location::current());
// Prints the summary; the exit code of a test program (0 when all passed).
int Finish();
std::string Narrow(const std::wstring& text);

// A program started with CreateProcess; killed on destruction if still running.
class Process {
public:
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    // commandTail follows the program's quoted path, e.g. L"/p 1234".
    static Process Start(const std::wstring& program, const std::wstring& commandTail);
    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    // True when the process ended within timeoutMs; the caller's messages are pumped meanwhile.
    bool WaitExit(DWORD timeoutMs);
    bool Running() const;
    DWORD ExitCode() const;
    void Kill();

private:
    PROCESS_INFORMATION m_info{};
};

// Dispatches the calling thread's messages for the given time.
void Pump(DWORD ms);
// The first visible top-level window of the process, waiting for it while pumping.
HWND WaitForTopWindow(DWORD processId, DWORD timeoutMs);
// Any top-level window (visible or not) of the process right now.
HWND FindTopWindow(DWORD processId);
// The first child window of parent once it is shown, waiting for it while pumping.
HWND WaitForChild(HWND parent, DWORD timeoutMs);

// A visible top-level window of the test's own, to host a preview. Like the
// display settings' little monitor it clips its children, so its white
// background never covers the preview.
class HostWindow {
public:
    HostWindow(int x, int y, int width, int height);
    ~HostWindow();
    HWND Get() const { return m_hWnd; }
    void Destroy();

private:
    HWND m_hWnd = nullptr;
};

// quorvana.scr copied under another file name (and so another application
// name, with settings of its own) into the directory of the original.
std::wstring CopyProgramAs(const std::wstring& program, const std::wstring& fileName);
// The directory part of a path, with its trailing backslash.
std::wstring DirectoryOf(const std::wstring& path);

// Values under root\key; a read gives nullopt when missing or of another type.
namespace registry {
bool KeyExists(HKEY root, const std::wstring& key);
std::optional<DWORD> ReadDword(HKEY root, const std::wstring& key, const std::wstring& value);
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const std::wstring& value);
void WriteDword(HKEY root, const std::wstring& key, const std::wstring& value, DWORD data);
void WriteString(HKEY root, const std::wstring& key, const std::wstring& value, const std::wstring& text);
}  // namespace registry

// The settings of one application name: HKCU\Software\Quorvana\<app>\Config.
namespace settings {
void Clear(const std::wstring& app);
bool AppKeyExists(const std::wstring& app);
void WriteDword(const std::wstring& app, const std::wstring& entry, DWORD value);
void WriteRaw(const std::wstring& app, const std::wstring& entry, DWORD type, const void* data, DWORD size);
std::optional<DWORD> ReadDword(const std::wstring& app, const std::wstring& entry);
}  // namespace settings

// The period timer 1 of a fractal window was last armed with (the probe of
// test_probe.h, which only the tests' build answers); nullopt when the
// window does not answer.
std::optional<UINT> QueryTimerPeriod(HWND window);
// How many pixels of a fractal window's backing store are not black (the
// probe); -1 when the window does not answer.
long long QueryLitPixels(HWND window);

// Pixels of a window's area as the screen shows them, 0x00RRGGBB, row by row.
std::vector<DWORD> CaptureScreen(const RECT& screenRect);
// How many pixels of a window's client area on the screen show one of the
// renderer's colours: a green level, no red, no blue.
int CountGreenPixels(HWND window);

}  // namespace harness
