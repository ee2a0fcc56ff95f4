// SPDX-License-Identifier: MIT
// The syntax xscreensaver keeps its settings in: the user's ~/.xscreensaver
// and the system's defaults (/etc/X11/app-defaults/XScreenSaver). A logical
// line is one or more physical lines joined where a line ends in a backslash;
// in it, backslash escapes are decoded (\n is a newline, \x is x); a line
// whose first non-blank character is #, ! or ; is a comment; every other line
// is "key: value". ParseInitFile reads a file the way xscreensaver does and
// keeps, for every decoded character of a value, where in the file it came
// from, so that a caller can change one value by inserting or cutting bytes
// and leave every other byte of the file as it was (xscreensaver_list.h does).
// It refuses what xscreensaver would skip with a complaint (a line without a
// ':'), a NUL byte, and a file that ends inside a continued line, as a file
// cut short does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"

namespace quorvana {

struct InitSetting {
    std::string key;          // as written before the ':', e.g. "programs" or "*programs"
    std::string value;        // decoded; everything after the ':' up to the end of the logical line
    // For each character of value (and one more, for the end of the value):
    // the offset in the file where its source starts. An escape "\n" starts
    // at its backslash; a continuation (backslash, newline) yields nothing.
    std::vector<std::size_t> sourceOffsets;
    std::size_t firstLine = 0;  // 1-based, for messages
};

// The settings of `text`, in file order; or, when xscreensaver cannot read
// it so, what is wrong and where.
Result<std::vector<InitSetting>> ParseInitFile(std::string_view text);

// The setting whose key names the resource `name` (e.g. "programs"): the key
// itself, "*name" or "XScreenSaver.name" (case-insensitive, as xscreensaver
// compares), or null. When several do, the last wins, as in xscreensaver.
const InitSetting* FindSetting(const std::vector<InitSetting>& settings, std::string_view name);

}  // namespace quorvana
