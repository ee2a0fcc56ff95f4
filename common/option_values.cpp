// SPDX-License-Identifier: MIT
#include "common/option_values.h"

#include "common/command_line.h"
#include "common/parse_decimal.h"

#include <ctime>

namespace quorvana {

std::string IsNot(std::string_view text, std::string_view what)
{
    std::string complaint = "'";
    complaint.append(Printable(text)).append("' is not ").append(what);
    return complaint;
}

std::string ParseSeed(std::string_view text, std::optional<std::uint32_t>& seed)
{
    std::uint32_t value = 0;
    if (!ParseDecimal(text, value)) return IsNot(text, "a whole number from 0 to 4294967295");
    seed = value;
    return {};
}

std::string ParsePictureCount(std::string_view text, int& pictures)
{
    int value = 0;
    if (!ParseDecimal(text, value) || value < 1 || value > kMaxPictures)
        return IsNot(text, "a count from 1 to " + std::to_string(kMaxPictures));
    pictures = value;
    return {};
}

std::uint32_t SeedOrNow(const std::optional<std::uint32_t>& seed)
{
    return seed ? *seed : static_cast<std::uint32_t>(std::time(nullptr));
}

std::string ParseSpeed(std::string_view text, int& speed)
{
    int value = 0;
    if (!ParseDecimal(text, value) || value < kMinSpeed || value > kMaxSpeed)
        return IsNot(text, "a whole number from " + std::to_string(kMinSpeed) + " to " + std::to_string(kMaxSpeed));
    speed = value;
    return {};
}

}  // namespace quorvana
