// Test hook, used only by the tests under tests/windows: a registered window
// message that a fractal window answers with the period, in milliseconds,
// that it last handed to SetTimer for timer 1 (0 before it was armed). It
// changes nothing, so it is safe to leave in the shipped program.
#pragma once

#include <windows.h>

inline constexpr wchar_t kTimerPeriodProbeName[] = L"Quorvana.Test.TimerPeriod";

inline UINT TimerPeriodProbeMessage() { return ::RegisterWindowMessageW(kTimerPeriodProbeName); }
