// SPDX-License-Identifier: MIT
#include "app/parse_mode.h"

#include <cstdint>
#include <cwctype>

RunMode ParseMode(const wchar_t* argument)
{
    if (argument == nullptr) return ModeNone;
    if (*argument == L'-' || *argument == L'/') ++argument;  // exactly one prefix
    switch (*argument) {
    case L'C':
    case L'c':
        return ModeConfigure;
    case L'P':
    case L'p':
        return ModePreview;
    case L'S':
    case L's':
        return ModeSaver;
    default:
        return ModeNone;
    }
}

std::optional<std::int32_t> ParseWindowHandle(const wchar_t* text)
{
    if (text == nullptr) return std::nullopt;
    while (std::iswspace(*text)) ++text;
    const bool negative = *text == L'-';
    if (*text == L'-' || *text == L'+') ++text;
    if (*text < L'0' || *text > L'9') return std::nullopt;
    std::uint32_t value = 0;  // modulo 2^32: only the low 32 bits of a handle mean anything
    for (; *text >= L'0' && *text <= L'9'; ++text) value = value * 10u + static_cast<std::uint32_t>(*text - L'0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}
