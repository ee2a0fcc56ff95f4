// SPDX-License-Identifier: MIT
// The stored settings as a fractal window reads them: the "Speed" value under
// HKCU\Software\Quorvana\<program name>\Config sets the period of timer 1
// (observed through the window's test hook and by what it draws), a value
// of the wrong type reads as the default, and two program names keep
// separate settings.
#include <climits>
#include <functional>
#include <string>

#include "tests/windows/harness.h"

using harness::Check;

namespace {

constexpr UINT kMinimum = USER_TIMER_MINIMUM;  // what a period of 0 ms becomes
constexpr UINT kLongest = USER_TIMER_MAXIMUM;  // what a negative period becomes

struct Preview {
    harness::HostWindow host{80, 80, 320, 240};
    harness::Process process;
    HWND window = nullptr;
};

void StartPreview(Preview& preview, const std::wstring& program)
{
    const std::wstring handle = std::to_wstring(reinterpret_cast<ULONG_PTR>(preview.host.Get()));
    preview.process = harness::Process::Start(program, L"/p " + handle);
    preview.window = harness::WaitForChild(preview.host.Get(), 10000);
}

void StopPreview(Preview& preview)
{
    preview.host.Destroy();
    preview.process.WaitExit(5000);
}

void StoredSpeedSetsThePeriod(const std::wstring& program)
{
    const std::wstring app = L"settings";
    const std::wstring copy = harness::CopyProgramAs(program, app + L".scr");
    using Store = std::function<void()>;
    auto speed = [&](DWORD value) -> Store { return [=] { harness::settings::WriteDword(app, L"Speed", value); }; };
    const struct {
        const char* what;
        Store store;
        UINT period;
    } cases[] = {
        {"nothing stored (default 100)", [] {}, kMinimum},
        {"Speed 100", speed(100), kMinimum},
        {"Speed 50", speed(50), 250},
        {"Speed 1", speed(1), 495},
        {"Speed 0", speed(0), 500},
        {"Speed -20 (counts as 0)", speed(static_cast<DWORD>(-20)), 500},
        {"Speed 150 (negative period)", speed(150), kLongest},
        {"Speed 2147483647", speed(static_cast<DWORD>(INT_MAX)), kLongest},
        {"Speed -2147483648", speed(static_cast<DWORD>(INT_MIN)), 500},
        {"Speed as a string", [&] { harness::settings::WriteRaw(app, L"Speed", REG_SZ, L"50", 6); }, kMinimum},
        {"Speed as a 64-bit value",
         [&] {
             const ULONGLONG fifty = 50;
             harness::settings::WriteRaw(app, L"Speed", REG_QWORD, &fifty, sizeof fifty);
         },
         kMinimum},
        {"Speed as 4 binary bytes",
         [&] {
             const DWORD fifty = 50;
             harness::settings::WriteRaw(app, L"Speed", REG_BINARY, &fifty, sizeof fifty);
         },
         kMinimum},
        {"only Blankscr stored", [&] { harness::settings::WriteDword(app, L"Blankscr", 1); }, kMinimum},
    };
    for (const auto& c : cases) {
        harness::settings::Clear(app);
        c.store();
        Preview preview;
        StartPreview(preview, copy);
        const UINT none = 0xDEAD;
        const UINT period = preview.window != nullptr ? harness::QueryTimerPeriod(preview.window).value_or(none) : none;
        Check(period == c.period, std::string(c.what) + ": period " + std::to_string(c.period) + " ms, got " +
                                      (period != none ? std::to_string(period) : std::string("no answer")));
        StopPreview(preview);
    }
    harness::settings::Clear(app);
    ::DeleteFileW(copy.c_str());
}

void PeriodShowsInTheDrawing(const std::wstring& program)
{
    const std::wstring app = L"settings-drawing";
    const std::wstring copy = harness::CopyProgramAs(program, app + L".scr");
    const struct {
        DWORD speed;
        bool draws;
        const char* what;
    } cases[] = {
        {100, true, "Speed 100 draws rows within a second"},
        {150, false, "Speed 150 draws nothing: its timer runs at the longest period"},
    };
    for (const auto& c : cases) {
        harness::settings::WriteDword(app, L"Speed", c.speed);
        Preview preview;
        StartPreview(preview, copy);
        harness::Pump(1000);
        const long long lit = preview.window != nullptr ? harness::QueryLitPixels(preview.window) : -1;
        Check(lit >= 0 && (lit > 0) == c.draws, std::string(c.what) + " (" + std::to_string(lit) +
                                                                    " pixels lit)");
        StopPreview(preview);
    }
    harness::settings::Clear(app);
    ::DeleteFileW(copy.c_str());
}

void TwoNamesKeepSeparateSettings(const std::wstring& program)
{
    const struct {
        const wchar_t* app;
        DWORD speed;
        UINT period;
    } copies[] = {{L"first-copy", 0, 500}, {L"second copy", 50, 250}};
    for (const auto& c : copies) {
        harness::settings::Clear(c.app);
        harness::settings::WriteDword(c.app, L"Speed", c.speed);
    }
    for (const auto& c : copies) {
        const std::wstring copy = harness::CopyProgramAs(program, std::wstring(c.app) + L".scr");
        Preview preview;
        StartPreview(preview, copy);
        const UINT period = preview.window != nullptr ? harness::QueryTimerPeriod(preview.window).value_or(0) : 0;
        Check(period == c.period, harness::Narrow(c.app) + ".scr runs with its own Speed");
        StopPreview(preview);
        harness::settings::Clear(c.app);
        ::DeleteFileW(copy.c_str());
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    StoredSpeedSetsThePeriod(argv[1]);
    PeriodShowsInTheDrawing(argv[1]);
    TwoNamesKeepSeparateSettings(argv[1]);
    return harness::Finish();
}
