// SPDX-License-Identifier: MIT
// CSaverApp's starts that make no window, in this process: with window
// creation refused (a CBT hook, as a failing CreateWindowEx would be) or
// no live host, InitInstance returns FALSE, leaves no main window and the
// program's exit code is kExitNoWindow; an unknown switch exits 0.
#include <string>

#include "app/saver_app.h"
#include "tests/windows/harness.h"

using harness::Check;

namespace {

CSaverApp s_app;

LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int wmain()
{
    harness::HostWindow host(40, 40, 320, 240);
    const std::wstring hostHandle = std::to_wstring(reinterpret_cast<ULONG_PTR>(host.Get()));
    const struct {
        const wchar_t* mode;
        const wchar_t* handle;
        bool refuseCreation;
        int exitCode;
    } cases[] = {
        {L"/x", nullptr, false, 0},  // first: the object keeps the exit code of a failed start
        {L"/s", nullptr, true, CSaverApp::kExitNoWindow},
        {L"/p", hostHandle.c_str(), true, CSaverApp::kExitNoWindow},
        {L"/p", L"0", false, CSaverApp::kExitNoWindow},
        {L"/p", nullptr, false, CSaverApp::kExitNoWindow},
    };
    for (const auto& c : cases) {
        std::string what = harness::Narrow(c.mode);
        if (c.handle != nullptr) what += ' ' + harness::Narrow(c.handle);
        if (c.refuseCreation) what += ", window creation refused";
        wchar_t program[] = L"app_start_test";
        std::wstring mode = c.mode;
        std::wstring handle = c.handle ? c.handle : L"";
        wchar_t* argv[] = {program, mode.data(), c.handle ? handle.data() : nullptr, nullptr};
        __argc = c.handle ? 3 : 2;
        __wargv = argv;
        const HHOOK hook =
            c.refuseCreation ? ::SetWindowsHookExW(WH_CBT, &RefuseCreation, nullptr, ::GetCurrentThreadId()) : nullptr;
        const BOOL started = s_app.InitInstance();
        if (hook != nullptr) ::UnhookWindowsHookEx(hook);
        Check(!started, what + ": InitInstance returns FALSE");
        Check(s_app.m_pMainWnd == nullptr, what + ": no main window");
        Check(s_app.ExitInstance() == c.exitCode, what + ": exit code " + std::to_string(c.exitCode));
    }
    return harness::Finish();
}
