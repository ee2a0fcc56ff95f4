// SPDX-License-Identifier: MIT
// Values that both command-line programs take, with their limits and the
// words of their messages written once: the seed of the random views, a
// count of pictures and the speed (the Windows saver's settings dialog and
// registry values take the same range), and the one rule for a whole number
// from A to B that these and the programs' own numbers follow. Each Parse…
// reads a value from an option's text (see Into in common/command_line.h),
// or returns a usage Failure saying what is wrong with the text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/failure.h"
#include "common/parse_decimal.h"

namespace quorvana {

inline constexpr int kMaxPictures = 1000000;
// The longest side of any picture the programs draw: the exporter's --size,
// a Wayland output's device pixels (4 GB of pixels at most).
inline constexpr int kMaxSide = 16384;
inline constexpr int kMinSpeed = 0;  // slowest
inline constexpr int kMaxSpeed = 100;
inline constexpr int kDefaultSpeed = kMaxSpeed;

// "'TEXT' is not WHAT": the usual complaint about a value.
std::string IsNot(std::string_view text, std::string_view what);

// LOW … HIGH in plain digits (parse_decimal.h). The complaint calls the
// value WHAT: "'TEXT' is not a whole number from LOW to HIGH", or "a count"
// for a number of things.
template <typename Int>
Result<Int> ParseWholeNumber(std::string_view text, Int low, Int high, std::string_view what = "a whole number")
{
    Int parsed{};
    if (!ParseDecimal(text, parsed) || parsed < low || parsed > high)
        return Failure::Usage(
            IsNot(text, std::string(what) + " from " + std::to_string(low) + " to " + std::to_string(high)));
    return parsed;
}

// 1 … most things.
Result<int> ParseCount(std::string_view text, int most);

// 0 … 4294967295; the same seed gives the same pictures on every platform.
Result<std::uint32_t> ParseSeed(std::string_view text);

// 1 … kMaxPictures.
Result<int> ParsePictureCount(std::string_view text);

// kMinSpeed … kMaxSpeed.
Result<int> ParseSpeed(std::string_view text);

}  // namespace quorvana
