// SPDX-License-Identifier: MIT
// --bench: the simulated window renders the pictures as an export would,
// writes nothing, and prints per picture the time of its ticks, the loop
// steps per second and its hash, then the totals. Fails only when memory
// runs out for the window.
#pragma once

#include "common/failure.h"
#include "tools/export_options.h"

namespace quorvana {

Result<> BenchPictures(const ExportOptions& options);

}  // namespace quorvana
