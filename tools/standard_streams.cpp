// SPDX-License-Identifier: MIT
#include "tools/standard_streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quorvana {

Result<> CheckReportStream(const ClosedStandardDescriptors& closed)
{
    if (closed.output) return Failure::Runtime("cannot write the report: standard output is closed");
    return {};
}

Result<> FlushReport()
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return {};
    return Failure::Runtime(std::string("cannot write the report to standard output: ") +
                            (errno != 0 ? std::strerror(errno) : "write failed"));
}

}  // namespace quorvana
