// SPDX-License-Identifier: MIT
// --animation FILE: the simulated window recorded as the saver shows it,
// tick by tick from the first repaint, into an animated GIF or, where built
// with libwebp, an animated WebP (tools/formats/animation_writer.h). A frame
// holds a few ticks (--ticks-per-frame) and stores only what they changed;
// a frame always ends at the tick that ends a picture, so that
// frame shows exactly the picture the exporter writes as PNG. The frame
// delays follow the saver's pace at --speed.
#pragma once

#include "tools/export_options.h"

namespace quorvana {

// The fewest ticks whose time viewers show as it is: most show a GIF delay
// below 2/100 s as 1/10 s, so a frame must last at least 20 ms.
int DefaultTicksPerFrame(int tickPeriodMs);

// Fails when the file cannot be written or the recording is interrupted
// (then with no message: the caller ends by the signal); either way nothing
// is left of the file.
Result<> RecordAnimation(const ExportOptions& options);

}  // namespace quorvana
