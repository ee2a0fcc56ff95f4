// SPDX-License-Identifier: MIT
// WholeFile's parts that are the same on every platform (temporary_name.h);
// the file being written is the platform's (whole_file_posix.cpp,
// whole_file_windows.cpp).
#include "common/whole_file.h"

#include <chrono>
#include <random>

#include "common/command_line.h"
#include "common/temporary_name.h"

namespace quorvana {

namespace whole_file {

namespace {
constexpr int kNameAttempts = 100;  // names taken by others before giving up
}  // namespace

Failure CannotWrite(const std::string& path, std::string_view reason)
{
    return Failure::Runtime("cannot write '" + Printable(path) + "': " + std::string(reason));
}

std::string UniqueSuffix()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static unsigned s_count = 0;
    // The random source alone would do; the clock and the count keep names
    // apart should it ever repeat itself (some systems seed it at start).
    unsigned long long seed =
        (static_cast<unsigned long long>(std::random_device{}()) << 32) ^
        static_cast<unsigned long long>(std::chrono::high_resolution_clock::now().time_since_epoch().count()) ^
        (++s_count * 0x9E3779B97F4A7C15ull);
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        suffix += kLetters[(seed >> 33) % (sizeof kLetters - 1)];
    }
    return suffix;
}

Result<> CreateTemporary(const std::function<Result<Created>(const std::string& suffix)>& create,
                         const std::string& shownPath)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt)
        if (TRY(create(UniqueSuffix())) == Created::Made) return {};
    return CannotWrite(shownPath, "no unused name for a temporary file beside it");
}

}  // namespace whole_file

WholeFile::WholeFile(std::string path, std::string permissionsFrom)
    : m_path(std::move(path)), m_permissionsFrom(std::move(permissionsFrom))
{
}

WholeFile::~WholeFile() = default;

Result<> WriteWholeFile(const std::string& path, std::string_view bytes, const std::string& permissionsFrom)
{
    WholeFile file(path, permissionsFrom);
    TRY(file.Open());
    TRY(file.Write(bytes));
    return file.Commit();
}

}  // namespace quorvana
