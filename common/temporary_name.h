// SPDX-License-Identifier: MIT
// The part of WholeFile (whole_file.h) that is the same on every platform:
// the temporary file's name beside the final one, the tries for one nobody
// has taken, and the shape of the failure line. Used only by the platform
// bodies, whole_file_posix.cpp and whole_file_windows.cpp.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>

#include "common/failure.h"

namespace quorvana::whole_file {

// "cannot write 'PATH': REASON", PATH printable on one line.
Failure CannotWrite(const std::string& path, std::string_view reason);

// A name no one is likely to have taken: eight letters and digits (the same
// under a file system that ignores case) from the clock, a count and the
// system's random source.
std::string UniqueSuffix();

// "NAME.SUFFIX.partial", with NAME cut short (never inside a character:
// UTF-8 for char, UTF-16 for wchar_t) so that the whole is at most
// longestName units whenever NAME itself is.
template <typename Char>
std::basic_string<Char> TemporaryName(std::basic_string_view<Char> name, std::string_view suffix,
                                      std::size_t longestName)
{
    static constexpr std::string_view kEnd = ".partial";
    const std::size_t added = 1 + suffix.size() + kEnd.size();
    std::size_t kept = name.size();
    if (kept + added > longestName) {
        kept = longestName > added ? longestName - added : 0;
        // Back to the start of a character: a UTF-8 continuation byte or a
        // UTF-16 low surrogate does not start one.
        const auto continues = [](Char unit) {
            const auto value = static_cast<unsigned long>(static_cast<std::make_unsigned_t<Char>>(unit));
            return sizeof(Char) == 1 ? (value & 0xC0) == 0x80 : value >= 0xDC00 && value <= 0xDFFF;
        };
        while (kept > 0 && continues(name[kept])) --kept;
    }
    std::basic_string<Char> temporary(name.substr(0, kept));
    temporary += Char('.');
    for (const char c : suffix) temporary += static_cast<Char>(c);
    for (const char c : kEnd) temporary += static_cast<Char>(c);
    return temporary;
}

// What one try to create the temporary file gives: made, the name already
// taken (try another), or the failure that ends the tries.
enum class Created { Made, NameTaken };

// Calls create with fresh suffixes until it makes the file or fails; a
// failure after many taken names, named for shownPath.
[[nodiscard]] Result<> CreateTemporary(const std::function<Result<Created>(const std::string& suffix)>& create,
                                       const std::string& shownPath);

}  // namespace quorvana::whole_file
