// SPDX-License-Identifier: MIT
// Odd rows are never drawn: the row step leaves them black, and the detail
// search and the marker keep to even rows, where the picture is.
#pragma once

#include <cstdint>

namespace quorvana {

constexpr bool IsOdd(std::int32_t value) { return value % 2 != 0; }

}  // namespace quorvana
