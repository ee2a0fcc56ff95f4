// SPDX-License-Identifier: MIT
// /p N whose host window dies while the preview starts: at every moment from
// before the preview looks at the handle to after its first ticks, the
// process must end by itself within five seconds, with 0 (the preview was
// made and went with its host) or 2 (no window to draw in by then).
#include <string>

#include "tests/windows/harness.h"

using harness::Check;

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    const DWORD delaysMs[] = {0, 0, 0, 1, 2, 5, 10, 20, 30, 50, 80, 120, 200, 400};
    for (const DWORD delay : delaysMs) {
        harness::HostWindow host(40, 40, 200, 150);
        harness::Process saver =
            harness::Process::Start(argv[1], L"/p " + std::to_wstring(reinterpret_cast<UINT_PTR>(host.Get())));
        if (delay > 0) harness::Pump(delay);
        host.Destroy();
        const std::string what = "host gone after " + std::to_string(delay) + " ms";
        if (!Check(saver.WaitExit(5000), what + ": the preview ends by itself")) continue;
        Check(saver.ExitCode() == 0 || saver.ExitCode() == 2,
              what + ": exit code 0 or 2, got " + std::to_string(saver.ExitCode()));
    }
    return harness::Finish();
}
