// SPDX-License-Identifier: MIT
// The period of a fractal window's timer for a speed setting: 500 − 5 × speed
// milliseconds, as handed to SetTimer. Computed in 64 bits, so every 32-bit
// speed is defined (no signed overflow); the platform's limits then apply as
// SetTimer applies them: a period below USER_TIMER_MINIMUM (0 included) is
// the minimum, and a negative period, which SetTimer would see as a huge
// unsigned count, is the longest period, USER_TIMER_MAXIMUM.
#pragma once

#include <windows.h>

UINT TimerPeriodForSpeed(int speed);
