// SPDX-License-Identifier: MIT
#include "common/option_values.h"

#include "common/command_line.h"

#include <limits>

namespace quorvana {

std::string IsNot(std::string_view text, std::string_view what)
{
    std::string complaint = "'";
    complaint.append(Printable(text)).append("' is not ").append(what);
    return complaint;
}

Result<int> ParseCount(std::string_view text, int most)
{
    return ParseWholeNumber(text, 1, most, "a count");
}

Result<std::uint32_t> ParseSeed(std::string_view text)
{
    return ParseWholeNumber(text, std::uint32_t{0}, std::numeric_limits<std::uint32_t>::max());
}

Result<int> ParsePictureCount(std::string_view text)
{
    return ParseCount(text, kMaxPictures);
}

Result<int> ParseSpeed(std::string_view text)
{
    return ParseWholeNumber(text, kMinSpeed, kMaxSpeed);
}

}  // namespace quorvana
