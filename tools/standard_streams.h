// SPDX-License-Identifier: MIT
// The exporter's standard streams. Its report (the seed, the views) goes to
// standard output and is part of what it promises: a report that cannot be
// written is an error (status 1). Progress on standard error is only a
// courtesy: a closed pipe there (SIGPIPE is ignored, interruption.h) is not
// fatal to the files.
#pragma once

#include "common/failure.h"
#include "common/standard_descriptors.h"

namespace quorvana {

// A standard output found closed (common/standard_descriptors.h) is refused
// before anything is written.
Result<> CheckReportStream(const ClosedStandardDescriptors& closed);

// The report so far has reached standard output.
Result<> FlushReport();

}  // namespace quorvana
