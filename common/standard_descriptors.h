// SPDX-License-Identifier: MIT
// Guards a program's standard descriptors before anything opens one. A
// program started with descriptor 0, 1 or 2 closed would hand that number to
// the next file or socket it opens: the X connection, say, would take 2, and
// every error line would go down the X socket. So each main calls
// GuardStandardDescriptors first: a closed 0, 1 or 2 is opened on /dev/null
// (on Windows, where files are opened as handles of their own that no C
// descriptor shares, nothing is opened). It says which were closed, for a
// program whose standard output is part of what it promises (the exporter's
// report).
#pragma once

#include "common/failure.h"

namespace quorvana {

// Which of the standard descriptors were found closed.
struct ClosedStandardDescriptors {
    bool input = false;
    bool output = false;
    bool error = false;
};

// Fails only when /dev/null cannot be opened.
Result<ClosedStandardDescriptors> GuardStandardDescriptors();

}  // namespace quorvana
