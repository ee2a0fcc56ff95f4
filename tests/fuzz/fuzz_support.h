// SPDX-License-Identifier: MIT
// What the fuzz targets share: two ways to read the input, the check that
// makes libFuzzer keep an input (a macro: clang 14 has no
// std::source_location), reals drawn from the input, comparisons to the bit.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "render/pixel_store.h"

// Says which invariant broke and where, and aborts.
#define FUZZ_CHECK(holds, what)                                                                  \
    do {                                                                                         \
        if (!(holds)) {                                                                          \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, what);    \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)

namespace quorvana::fuzz {

// Two parts that draw numbers from the input: the first bit picks the part.
template <typename First, typename Second>
int EitherPart(const std::uint8_t* data, std::size_t size, First first, Second second)
{
    FuzzedDataProvider in(data, size);
    in.ConsumeBool() ? first(in) : second(in);
    return 0;
}

// Text: the first byte holds the choices, the rest is the text (an empty input is passed over).
template <typename Check>
int ChoiceAndText(const std::uint8_t* data, std::size_t size, Check check)
{
    if (size > 0) check(data[0], std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    return 0;
}

// Raw bits half the time (NaN, infinities, denormals, huge), else a value
// where pictures have detail.
inline double AnyReal(FuzzedDataProvider& in)
{
    if (in.ConsumeBool()) return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
    return in.ConsumeFloatingPointInRange(-3.0, 3.0);
}

// The same value to the bit, -0 apart from 0; any NaN is the same as any
// other, since which operand's payload an addition passes on is the
// compiler's choice (it may swap them) and no count or colour depends on it.
inline bool SameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (a != a && b != b);
}

inline bool SamePixels(const PixelStore& a, const PixelStore& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (!std::equal(a.Row(y), a.Row(y) + a.Width(), b.Row(y))) return false;
    return true;
}

}  // namespace quorvana::fuzz
