// SPDX-License-Identifier: MIT
// The seed of the renderer on each monitor when the saver covers several.
// Monitor 0, the primary, keeps the saver's own seed, so its window draws
// what a single window draws for that seed. The generator (crt_random.h)
// never lets bit 31 of its state reach a draw, so two seeds alike in their
// low 31 bits would give two monitors of one size the same pictures: an odd
// step gives every monitor, up to 2^31 of them, low 31 bits of its own.
// Without a seed asked for, the saver's comes from the calendar time: a new
// sequence each run, taken here once for every front end.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace quorvana {

constexpr std::uint32_t MonitorSeed(std::uint32_t saverSeed, std::uint32_t monitor)
{
    return saverSeed + monitor * 0x9E3779B9u;  // odd, and far from 1 so neighbours' first views are far apart
}

inline std::uint32_t SeedFromClock() { return static_cast<std::uint32_t>(std::time(nullptr)); }

// The seed asked for, else one from the clock.
inline std::uint32_t SeedOrClock(const std::optional<std::uint32_t>& seed) { return seed ? *seed : SeedFromClock(); }

}  // namespace quorvana
