// SPDX-License-Identifier: MIT
// The saver under Wine for many ticks: a full-screen saver (/s) gets its
// ticks as fast as it takes them (WM_TIMER sent to its window, a repaint
// every thousand ticks, half-way), and what it holds must stay flat from the first
// thousand ticks to the last: its private bytes, its GDI and USER objects
// where the system counts them (Windows does, Wine 8 says 0), and the
// session's USER handle high-water mark, which grows with every USER object
// that any process keeps (Wine hands out the lowest free index).
//   soak_test PROGRAM [TICKS]   (default 2000); prints one line of figures.
#include <cstdio>
#include <cwchar>
#include <string>

#include <windows.h>
#include <psapi.h>

#include "tests/windows/harness.h"

using harness::Check;

namespace {

struct Holdings {
    SIZE_T privateBytes = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    unsigned userHighWater = 0;
};

// A fresh USER handle's index: the lowest one free in the session.
unsigned UserHighWater()
{
    const HMENU menu = ::CreatePopupMenu();
    const unsigned index = LOWORD(reinterpret_cast<UINT_PTR>(menu));
    ::DestroyMenu(menu);
    return index;
}

Holdings Measure(HANDLE process)
{
    Holdings h;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (::GetProcessMemoryInfo(process, &counters, sizeof counters)) h.privateBytes = counters.PagefileUsage;
    h.gdiObjects = ::GetGuiResources(process, GR_GDIOBJECTS);
    h.userObjects = ::GetGuiResources(process, GR_USEROBJECTS);
    h.userHighWater = UserHighWater();
    return h;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    const long ticks = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 2000;
    harness::settings::WriteDword(L"quorvana", L"Speed", 0);  // its own timer slow: the ticks are ours
    harness::Process saver = harness::Process::Start(argv[1], L"/s");
    const HWND window = harness::WaitForTopWindow(saver.Id(), 10000);
    if (!Check(window != nullptr, "/s: a window appears")) return harness::Finish();
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, saver.Id());

    Holdings first, last;
    long answered = 0;
    for (long tick = 1; tick <= ticks; ++tick) {
        DWORD_PTR result = 0;
        if (::SendMessageTimeoutW(window, WM_TIMER, 1, 0, SMTO_ABORTIFHUNG, 5000, &result)) ++answered;
        if (tick % 1000 == 500) ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        if (tick == 1000) first = Measure(process);
    }
    harness::Pump(200);
    last = Measure(process);
    Check(answered == ticks, "every tick is answered");
    Check(saver.Running(), "the saver still runs");
    Check(harness::CountGreenPixels(window) > 0, "the saver still draws");
    // A few pages of slack: the heap may round up once; a leak per tick shows in megabytes.
    Check(last.privateBytes <= first.privateBytes + 64 * 1024, "private bytes stay flat");
    Check(last.gdiObjects == first.gdiObjects && last.userObjects == first.userObjects, "GDI and USER objects stay flat");
    Check(last.userHighWater <= first.userHighWater + 2, "the USER handle high-water mark stays flat");
    std::printf("wine soak: %ld ticks; from tick 1000 to the last: private bytes %zu -> %zu KB, GDI objects %lu -> %lu,"
                " USER objects %lu -> %lu (0: not counted by this system), USER handle high-water %u -> %u\n",
                ticks, first.privateBytes / 1024, last.privateBytes / 1024, first.gdiObjects, last.gdiObjects,
                first.userObjects, last.userObjects, first.userHighWater, last.userHighWater);
    ::CloseHandle(process);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    Check(saver.WaitExit(5000), "WM_CLOSE ends the saver");
    return harness::Finish();
}
