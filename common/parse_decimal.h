// SPDX-License-Identifier: MIT
// Strict decimal parsing for command lines: plain digits only, no sign, no
// spaces, no suffix, and no wrap-around on overflow.
#pragma once

#include <charconv>
#include <string_view>

namespace quorvana {

template <typename Int>
bool ParseDecimal(std::string_view text, Int& value)
{
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace quorvana
