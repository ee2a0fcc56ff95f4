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

bool ParseWindowHandle(const wchar_t* text, HWND* handle)
{
    if (text == nullptr) return false;
    while (std::iswspace(*text)) ++text;
    const bool negative = *text == L'-';
    if (*text == L'-' || *text == L'+') ++text;
    if (*text < L'0' || *text > L'9') return false;
    std::uint32_t value = 0;  // modulo 2^32: only the low 32 bits of a handle mean anything
    for (; *text >= L'0' && *text <= L'9'; ++text) value = value * 10u + static_cast<std::uint32_t>(*text - L'0');
    if (negative) value = 0u - value;
    *handle = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(value)));
    return true;
}
