// SPDX-License-Identifier: MIT
// How the exporter says that memory ran out: one failure that names what it
// could not make ("not enough memory for a 2000 x 2000 picture"), like any
// other failure, so that the program ends with one line and status 1 and
// removes what it had half written. The pictures are made without throwing
// (PixelStore::Resize); what grows in smaller steps (a file's bytes, a
// vector of rows) may still throw, and the exporter's main and its encoder
// threads turn that into the same failure.
#pragma once

#include <string>

#include "common/failure.h"
#include "render/pixel_store.h"

namespace quorvana {

// "a 2000 x 2000 picture"
inline std::string PictureOfSize(int width, int height)
{
    return "a " + std::to_string(width) + " x " + std::to_string(height) + " picture";
}


// An owning store of that size, all black, or the failure naming it.
inline Result<> MakePicture(PixelStore& store, int width, int height)
{
    if (store.Resize(width, height)) return {};
    return Failure::NotEnoughMemoryFor(PictureOfSize(width, height));
}

}  // namespace quorvana
