// SPDX-License-Identifier: MIT
// The exporter's standard streams. Its report (the seed, the views) goes to
// standard output and is part of what it promises: a report that cannot be
// written is an error (status 1). Progress on standard error is only a
// courtesy: a closed pipe there (SIGPIPE is ignored, interruption.h) is not
// fatal to the files.
#pragma once

#include "common/failure.h"

namespace quorvana {

// Called first: a closed standard output is refused before anything is
// written, and a closed standard input or error gets /dev/null, so that no
// file the exporter opens takes their number and receives their text.
Result<> GuardStandardStreams();

// The report so far has reached standard output.
Result<> FlushReport();

}  // namespace quorvana
