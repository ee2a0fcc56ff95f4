// SPDX-License-Identifier: MIT
// Values that both command-line programs take, with their limits and the
// words of their messages written once: the seed of the random views, a
// count of pictures and the speed (the Windows saver's settings dialog and
// registry values take the same range). Each Parse… is an option handler's body
// (see common/command_line.h): it stores the value and returns "", or
// returns what is wrong with the text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvana {

inline constexpr int kMaxPictures = 1000000;
inline constexpr int kMinSpeed = 0;  // slowest
inline constexpr int kMaxSpeed = 100;
inline constexpr int kDefaultSpeed = kMaxSpeed;

// "'TEXT' is not WHAT": the usual complaint about a value.
std::string IsNot(std::string_view text, std::string_view what);

// 0 … 4294967295; the same seed gives the same pictures on every platform.
std::string ParseSeed(std::string_view text, std::optional<std::uint32_t>& seed);

// The seed asked for, else one taken from the clock: a new sequence each run.
std::uint32_t SeedOrNow(const std::optional<std::uint32_t>& seed);

// 1 … kMaxPictures.
std::string ParsePictureCount(std::string_view text, int& pictures);

// kMinSpeed … kMaxSpeed.
std::string ParseSpeed(std::string_view text, int& speed);

}  // namespace quorvana
