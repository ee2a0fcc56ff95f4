// SPDX-License-Identifier: MIT
// The exporter's main mode: the simulated window writes itself as
// DIR/picture-0001.png … after every tick that ends a picture (with
// --wallpaper, each picture of the same views drawn whole, as
// DIR/wallpaper-0001.png …). The renderer draws on the calling thread while
// worker threads encode the pictures before it (encoder_pool.h); the files
// are written in order, each complete or not at all (common/whole_file.h),
// with one progress line and one view line per picture.
#pragma once

#include <string>

#include "tools/export_options.h"

namespace quorvana {

// "picture", or "wallpaper" for pictures drawn whole.
const char* PictureKind(const ExportOptions& options);

// "DIR/picture-NNNN.png" or "DIR/wallpaper-NNNN.png".
std::string PicturePath(const ExportOptions& options, int picture);

// The output folder must exist. Fails when a picture cannot be written or
// the export is interrupted (then with no message: the caller ends by the
// signal). Pictures of earlier runs that stay in the folder are named in one
// line at the end.
Result<> ExportPictures(const ExportOptions& options);

}  // namespace quorvana
