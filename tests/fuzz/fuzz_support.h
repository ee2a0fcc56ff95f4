// SPDX-License-Identifier: MIT
// What the fuzz targets share: the check that makes libFuzzer keep an input
// (a macro: clang 14 has no std::source_location), reals drawn from the
// input, and comparisons to the bit.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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
