// The exporter's main mode: the simulated window writes itself as
// DIR/picture-0001.png … after every tick that ends a picture. The
// renderer draws on the calling thread while worker threads encode the
// pictures before it; the files are written in order, each complete or not
// at all, with one progress line and one view line per picture.
#pragma once

#include <string>

#include "tools/export_options.h"

namespace quorvana {

// "DIR/picture-NNNN.png".
std::string PicturePath(const std::string& dir, int picture);

// The output folder must exist. Returns the exit status: 0 done, 1 a
// picture could not be written (reported on standard error).
int ExportPictures(const ExportOptions& options);

}  // namespace quorvana
