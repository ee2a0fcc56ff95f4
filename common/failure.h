// SPDX-License-Identifier: MIT
// The one shape of a failure in the command-line programs. A step that can
// fail returns Failure: nothing when it worked, else one line a user can
// read that names what failed and why. Every such step is [[nodiscard]], so
// a caller cannot drop a failure without saying so.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace quorvana {

using Failure = std::optional<std::string>;

// Writes "PROGRAM: MESSAGE" as a line on err and returns status, so that a
// program ends a failed step with `return Fail(…)`.
inline int Fail(std::FILE* err, std::string_view program, std::string_view message, int status = 1)
{
    std::fprintf(err, "%.*s: %.*s\n", static_cast<int>(program.size()), program.data(),
                 static_cast<int>(message.size()), message.data());
    return status;
}

}  // namespace quorvana
