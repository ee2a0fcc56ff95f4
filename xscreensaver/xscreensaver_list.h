// SPDX-License-Identifier: MIT
// Adds Quorvana to, or removes it from, the list of display modes in the
// text of a ~/.xscreensaver file (its "programs:" setting), changing nothing
// else: every other byte of the file stays as it was. Pure functions on
// text; registration.h reads and writes the files.
//
// How xscreensaver 6 uses the list: its "programs" value holds one mode per
// line, "[-] [visual:] [\"name\"] command args", where a leading "-" disables
// the mode. The user's list replaces the system's (the app-defaults file);
// then every mode of the system's list that the user's lacks (compared by
// name, the capitalised program name by default) is appended to it, so a
// system mode can only be disabled, never removed, while a mode the system
// does not list, such as Quorvana, lives only in the user's list. The
// "selected" setting counts positions in that list: Quorvana is therefore
// appended at its end, where it shifts no other mode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/failure.h"

namespace quorvana {

// The line xscreensaver runs Quorvana with: on the window it gives.
inline constexpr std::string_view kQuorvanaCommand = "quorvana --root";

struct ListEdit {
    enum class Outcome {
        Added,     // appended to the list
        Enabled,   // it was there, disabled with "-"; now enabled
        Removed,   // every Quorvana line taken out of the list
        Unchanged, // nothing to do: already there and enabled, or not there to remove
    };
    Outcome outcome = Outcome::Unchanged;
    std::string text;  // the new file; for Unchanged the old one
};

// Both return the edit, or refuse with what is wrong and where when the file
// cannot be read as xscreensaver reads it (or could not be after the change).
//
// userFile: the current ~/.xscreensaver, or nullopt when there is none.
// systemDefaults: the app-defaults file's text, for its list of modes, which
// a new file (or one without a list) starts from so that the user keeps every
// other mode in the order xscreensaver shows them; empty when unavailable.
Result<ListEdit> AddQuorvana(const std::optional<std::string_view>& userFile, std::string_view systemDefaults);

// Takes every Quorvana line, enabled or not, out of the user's list.
Result<ListEdit> RemoveQuorvana(std::string_view userFile);

}  // namespace quorvana
