// SPDX-License-Identifier: MIT
// Reading the command line: the mode switch (argv[1]) and, in preview mode,
// the host window's handle (argv[2]).
// Plain C++ without the Windows headers, so that the fuzz build can take
// both functions natively (tests/fuzz).
#pragma once

#include <cstdint>
#include <optional>

enum RunMode { ModeConfigure = 0, ModePreview = 1, ModeSaver = 2, ModeNone = 3 };

// At most one leading "-" or "/" is skipped; then only the next character
// counts: C/c configure, P/p preview, S/s saver, anything else (the end of
// the string included) none. A null argument is none.
RunMode ParseMode(const wchar_t* argument);

// A window handle written in decimal, read as atol reads (leading white
// space, optional sign, digits up to the first non-digit), without atol's
// undefined overflow: the value is taken modulo 2^32 and sign-extended, as
// 32-bit window handles are. None when there is no digit at all.
[[nodiscard]] std::optional<std::int32_t> ParseWindowHandle(const wchar_t* text);
