// SPDX-License-Identifier: MIT
// A fingerprint of a picture: xxHash's XXH3 (64 bits) over the bytes of
// every pixel, row by row, whatever the clip. Equal hashes show two
// pictures to be the same without comparing them; --bench prints one per
// picture and the tests pin whole picture sequences with them. XXH3 runs
// at memory speed, so timing a picture does not time its hash.
#pragma once

#include <cstdint>

#include "render/pixel_store.h"

namespace quorvana {

inline constexpr const char* kPictureHashName = "XXH3-64";

std::uint64_t PictureHash(const PixelStore& picture);

}  // namespace quorvana
