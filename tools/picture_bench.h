// SPDX-License-Identifier: MIT
// --bench: the simulated window renders the pictures as an export would,
// writes nothing, and prints per picture the time of its ticks, the loop
// steps per second and its hash, then the totals.
#pragma once

#include "tools/export_options.h"

namespace quorvana {

void BenchPictures(const ExportOptions& options);

}  // namespace quorvana
