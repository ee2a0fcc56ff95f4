// SPDX-License-Identifier: MIT
// Every command-line form of the mode switch: which mode starts, and that
// the forms that end at once show nothing and leave the settings alone.
// Each row runs a copy of the program under a name of its own, so the
// settings it could touch are its alone.
#include <string>

#include "tests/windows/harness.h"

using harness::Check;

namespace {

enum class Expect {
    // Configuration mode: the settings dialog, without owner.
    Configure,
    Preview,
    Saver,
    None,
};

struct Row {
    const wchar_t* tail;  // "{host}" stands for the host window's handle
    Expect expect;
};

const Row kRows[] = {
    {L"", Expect::Configure},
    {L"/c", Expect::Configure},
    {L"-c", Expect::Configure},
    {L"/C", Expect::Configure},
    {L"c", Expect::Configure},
    {L"/c:{host}", Expect::Configure},
    {L"/config", Expect::Configure},
    {L"/p {host}", Expect::Preview},
    {L"-P {host}", Expect::Preview},
    {L"p {host}", Expect::Preview},
    {L"/s", Expect::Saver},
    {L"-S", Expect::Saver},
    {L"s", Expect::Saver},
    {L"/save", Expect::Saver},
    {L"/a {host}", Expect::None},
    {L"/x", Expect::None},
    {L"\"\"", Expect::None},
    {L"/", Expect::None},
    {L"//s", Expect::None},
    {L"--s", Expect::None},
};

std::wstring Expand(std::wstring tail, HWND host)
{
    const std::wstring key = L"{host}";
    const std::size_t at = tail.find(key);
    if (at == std::wstring::npos) return tail;
    return tail.substr(0, at) + std::to_wstring(reinterpret_cast<ULONG_PTR>(host)) + tail.substr(at + key.size());
}

void RunRow(const std::wstring& program, const Row& row, int index)
{
    const std::wstring app = L"cmdline" + std::to_wstring(index);
    const std::wstring copy = harness::CopyProgramAs(program, app + L".scr");
    harness::settings::Clear(app);
    harness::HostWindow host(60, 60, 240, 180);
    const std::wstring tail = Expand(row.tail, host.Get());
    std::string name(1, '\'');
    name += harness::Narrow(tail);
    name += '\'';
    harness::Process process = harness::Process::Start(copy, tail);

    switch (row.expect) {
    case Expect::Configure: {
        const HWND dialog = harness::WaitForTopWindow(process.Id(), 10000);
        wchar_t cls[64] = {};
        if (dialog != nullptr) ::GetClassNameW(dialog, cls, 64);
        Check(dialog != nullptr && std::wstring(cls) == L"#32770", name + " opens the configuration dialog");
        Check(dialog == nullptr || ::GetWindow(dialog, GW_OWNER) == nullptr, name + ": the dialog has no owner");
        Check(::GetWindow(host.Get(), GW_CHILD) == nullptr, name + " puts nothing into the host window");
        if (dialog != nullptr) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        Check(process.WaitExit(5000), name + " ends when the dialog is cancelled");
        Check(process.ExitCode() == 0, name + " exit code 0, got " + std::to_string(process.ExitCode()));
        Check(!harness::settings::AppKeyExists(app), name + " writes no setting after Cancel");
        break;
    }
    case Expect::None: {
        const HWND window = harness::WaitForTopWindow(process.Id(), 300);
        Check(process.WaitExit(5000), name + " ends at once");
        Check(window == nullptr, name + " shows no window");
        Check(::GetWindow(host.Get(), GW_CHILD) == nullptr, name + " puts nothing into the host window");
        Check(process.ExitCode() == 0, name + " exit code 0, got " + std::to_string(process.ExitCode()));
        Check(!harness::settings::AppKeyExists(app), name + " writes no setting");
        break;
    }
    case Expect::Preview: {
        const HWND preview = harness::WaitForChild(host.Get(), 10000);
        Check(preview != nullptr, name + " starts the preview in the host window");
        Check(harness::WaitForTopWindow(process.Id(), 0) == nullptr, name + " shows no top-level window");
        host.Destroy();
        Check(process.WaitExit(5000), name + " ends with its host");
        Check(!harness::settings::AppKeyExists(app), name + " writes no setting");
        break;
    }
    case Expect::Saver: {
        const HWND saver = harness::WaitForTopWindow(process.Id(), 10000);
        const LONG exStyle = saver != nullptr ? ::GetWindowLongW(saver, GWL_EXSTYLE) : 0;
        Check(saver != nullptr && (exStyle & WS_EX_TOPMOST) != 0, name + " starts the full-screen saver");
        Check(::GetWindow(host.Get(), GW_CHILD) == nullptr, name + " puts nothing into the host window");
        if (saver != nullptr) ::PostMessageW(saver, WM_CLOSE, 0, 0);
        Check(process.WaitExit(5000), name + " ends on WM_CLOSE");
        Check(!harness::settings::AppKeyExists(app), name + " writes no setting");
        break;
    }
    }
    ::DeleteFileW(copy.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    int index = 0;
    for (const Row& row : kRows) RunRow(argv[1], row, index++);
    return harness::Finish();
}
