// SPDX-License-Identifier: MIT
// The Windows saver's command-line classification, built natively: the
// input's bytes, two to a UTF-16 code unit as Windows passes them, are split
// at a zero unit into the mode switch and the handle argument. ParseMode
// must follow its rules (one optional "-" or "/", then only the letter
// counts) and ParseWindowHandle must read as atol does, taken modulo 2³².
#include <cstddef>
#include <cstdint>
#include <cwctype>
#include <string>

#include "app/parse_mode.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

RunMode ExpectedMode(const std::wstring& argument)
{
    std::size_t at = 0;
    if (!argument.empty() && (argument[0] == L'-' || argument[0] == L'/')) at = 1;
    if (at >= argument.size()) return ModeNone;
    switch (std::towlower(static_cast<wint_t>(argument[at]))) {
    case L'c': return ModeConfigure;
    case L'p': return ModePreview;
    case L's': return ModeSaver;
    default: return ModeNone;
    }
}

// Leading white space, a sign, the digits; the value in 64 bits, cut to 32
// at every digit, negated, and read as signed.
std::optional<std::int32_t> ExpectedHandle(const std::wstring& text)
{
    std::size_t at = 0;
    while (at < text.size() && std::iswspace(static_cast<wint_t>(text[at]))) ++at;
    const bool negative = at < text.size() && text[at] == L'-';
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) ++at;
    if (at >= text.size() || text[at] < L'0' || text[at] > L'9') return std::nullopt;
    std::uint64_t value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) value = (value * 10 + (text[at] - L'0')) % (1ull << 32);
    if (negative) value = ((1ull << 32) - value) % (1ull << 32);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring pieces[2];
    int piece = 0;
    for (std::size_t i = 0; i + 1 < size && piece < 2; i += 2) {
        const wchar_t unit = static_cast<wchar_t>(data[i] | data[i + 1] << 8);
        if (unit == 0)
            ++piece;
        else
            pieces[piece] += unit;
    }
    FUZZ_CHECK(ParseMode(nullptr) == ModeNone && !ParseWindowHandle(nullptr), "no argument: no mode, no handle");
    FUZZ_CHECK(ParseMode(pieces[0].c_str()) == ExpectedMode(pieces[0]), "the mode follows its rules");
    FUZZ_CHECK(ParseWindowHandle(pieces[1].c_str()) == ExpectedHandle(pieces[1]), "the handle reads as atol does");
    return 0;
}
