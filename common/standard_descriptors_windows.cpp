// SPDX-License-Identifier: MIT
// GuardStandardDescriptors on Windows: the programs open files as handles of
// their own (common/whole_file_windows.cpp), never as a C descriptor that a
// closed stream could share, so closed streams are only reported.
#include "common/standard_descriptors.h"

#include <cstdio>

namespace quorvana {

Result<ClosedStandardDescriptors> GuardStandardDescriptors()
{
    ClosedStandardDescriptors closed;
    closed.input = _fileno(stdin) < 0;
    closed.output = _fileno(stdout) < 0;
    closed.error = _fileno(stderr) < 0;
    return closed;
}

}  // namespace quorvana
