// SPDX-License-Identifier: MIT
#include "wnd/timer_period.h"

#include <cstdint>

UINT TimerPeriodForSpeed(int speed)
{
    const std::int64_t period = (100 - static_cast<std::int64_t>(speed)) * 5;
    if (period < 0 || period > USER_TIMER_MAXIMUM) return USER_TIMER_MAXIMUM;
    if (period < USER_TIMER_MINIMUM) return USER_TIMER_MINIMUM;
    return static_cast<UINT>(period);
}
