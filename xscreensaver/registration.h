// SPDX-License-Identifier: MIT
// quorvana --register and --unregister: add Quorvana to the display modes of
// the user's xscreensaver (~/.xscreensaver) or take it out again, and tell
// the user what happened and what to do next. The file is only ever replaced
// whole (common/whole_file.h), after its previous contents are kept in a backup
// beside it; a file that cannot be read, parsed or written is left as it
// was, and the failure says so. The list itself is edited by
// xscreensaver_list.h.
#pragma once

#include <cstdio>
#include <string>

#include "common/failure.h"

namespace quorvana {

struct RegistrationFiles {
    std::string user;            // ~/.xscreensaver
    std::string backup;          // where the previous user file is kept
    std::string systemDefaults;  // xscreensaver's app-defaults, for its list of modes
};

// The files of the user running the program: $HOME (or, without it, the home
// folder of the password database) and Debian's app-defaults file.
RegistrationFiles UserRegistrationFiles();

enum class Registration { Add, Remove };

// Done, or nothing to do: says what happened and what next on out.
Result<> Register(Registration what, const RegistrationFiles& files, std::FILE* out);

}  // namespace quorvana
