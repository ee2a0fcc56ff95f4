// SPDX-License-Identifier: MIT
#include "common/option_values.h"

#include "common/command_line.h"

#include <ctime>
#include <limits>

namespace quorvana {

std::string IsNot(std::string_view text, std::string_view what)
{
    std::string complaint = "'";
    complaint.append(Printable(text)).append("' is not ").append(what);
    return complaint;
}

LegacyFailure ParseCount(std::string_view text, int most, int& count)
{
    return ParseWholeNumber(text, 1, most, count, "a count");
}

LegacyFailure ParseSeed(std::string_view text, std::optional<std::uint32_t>& seed)
{
    std::uint32_t value = 0;
    if (LegacyFailure failure = ParseWholeNumber(text, std::uint32_t{0}, std::numeric_limits<std::uint32_t>::max(), value))
        return failure;
    seed = value;
    return {};
}

std::uint32_t SeedOrNow(const std::optional<std::uint32_t>& seed)
{
    return seed ? *seed : static_cast<std::uint32_t>(std::time(nullptr));
}

LegacyFailure ParsePictureCount(std::string_view text, int& pictures)
{
    return ParseCount(text, kMaxPictures, pictures);
}

LegacyFailure ParseSpeed(std::string_view text, int& speed)
{
    return ParseWholeNumber(text, kMinSpeed, kMaxSpeed, speed);
}

}  // namespace quorvana
