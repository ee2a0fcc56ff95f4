// SPDX-License-Identifier: MIT
// GuardStandardStreams on Windows: files are written through handles of
// their own (common/whole_file_windows.cpp), never through a C descriptor
// that a closed stream could share, so only a closed standard output matters.
#include "tools/standard_streams.h"

#include <cstdio>

namespace quorvana {

Result<> GuardStandardStreams()
{
    if (_fileno(stdout) < 0) return Failure::Runtime("cannot write the report: standard output is closed");
    return {};
}

}  // namespace quorvana
