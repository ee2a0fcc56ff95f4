// SPDX-License-Identifier: MIT
#include "tools/formats/picture_hash.h"

// The whole of XXH3 is compiled here from Debian's header, so the Windows
// build, which has no xxHash library, computes the same values.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace quorvana {

std::uint64_t PictureHash(const PixelStore& picture)
{
    XXH3_state_t state;
    XXH3_INITSTATE(&state);
    XXH3_64bits_reset(&state);
    const std::size_t rowBytes = static_cast<std::size_t>(picture.Width()) * sizeof(COLORREF);
    for (int y = 0; y < picture.Height(); ++y) XXH3_64bits_update(&state, picture.Row(y), rowBytes);
    return XXH3_64bits_digest(&state);
}

}  // namespace quorvana
