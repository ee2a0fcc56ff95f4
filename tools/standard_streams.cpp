// SPDX-License-Identifier: MIT
#include "tools/standard_streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quorvana {

Result<> FlushReport()
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return {};
    return Failure::Runtime(std::string("cannot write the report to standard output: ") +
                            (errno != 0 ? std::strerror(errno) : "write failed"));
}

}  // namespace quorvana
