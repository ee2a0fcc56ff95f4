// SPDX-License-Identifier: MIT
// The values both programs take: their limits, and the words of the line
// that refuses a value, written once (common/option_values.h).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/option_values.h"

namespace quorvana {
namespace {

// The value read, or the refusal's line.
template <typename T>
std::string Read(const Result<T>& result)
{
    if (!result) {
        EXPECT_EQ(result.Error().ExitStatus(), 2);
        return result.Error().Message();
    }
    return std::to_string(result.Value());
}

TEST(OptionValues, LimitsAndMessages)
{
    const struct {
        const char* what;
        std::string read;
        const char* expected;
    } cases[] = {
        {"speed, slowest", Read(ParseSpeed("0")), "0"},
        {"speed, fastest", Read(ParseSpeed("100")), "100"},
        {"speed above", Read(ParseSpeed("101")), "'101' is not a whole number from 0 to 100"},
        {"speed, a sign", Read(ParseSpeed("+5")), "'+5' is not a whole number from 0 to 100"},
        {"speed, a suffix", Read(ParseSpeed("50%")), "'50%' is not a whole number from 0 to 100"},
        {"speed, overflow", Read(ParseSpeed("99999999999999999999")),
         "'99999999999999999999' is not a whole number from 0 to 100"},
        {"speed, empty", Read(ParseSpeed("")), "'' is not a whole number from 0 to 100"},
        {"seed, lowest", Read(ParseSeed("0")), "0"},
        {"seed, highest", Read(ParseSeed("4294967295")), "4294967295"},
        {"seed above", Read(ParseSeed("4294967296")), "'4294967296' is not a whole number from 0 to 4294967295"},
        {"seed, negative", Read(ParseSeed("-1")), "'-1' is not a whole number from 0 to 4294967295"},
        {"seed, letters", Read(ParseSeed("12ab")), "'12ab' is not a whole number from 0 to 4294967295"},
        {"pictures, one", Read(ParsePictureCount("1")), "1"},
        {"pictures, most", Read(ParsePictureCount("1000000")), "1000000"},
        {"pictures, none", Read(ParsePictureCount("0")), "'0' is not a count from 1 to 1000000"},
        {"pictures above", Read(ParsePictureCount("1000001")), "'1000001' is not a count from 1 to 1000000"},
        {"count of 7", Read(ParseCount("7", 7)), "7"},
        {"count above 7", Read(ParseCount("8", 7)), "'8' is not a count from 1 to 7"},
        {"a range below zero, no sign taken", Read(ParseWholeNumber<std::int64_t>("-3", -5, 5)), "'-3' is not a whole number from -5 to 5"},
        {"its own word", Read(ParseWholeNumber<int>("9", 1, 3, "a day")), "'9' is not a day from 1 to 3"},
        {"control characters shown", Read(ParseSpeed("\x1b[2J")), "'\\x1b[2J' is not a whole number from 0 to 100"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.read, c.expected) << c.what;
}

}  // namespace
}  // namespace quorvana
