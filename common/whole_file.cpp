// SPDX-License-Identifier: MIT
// WholeFile's parts that are the same on every platform; the file being
// written is the platform's (whole_file_posix.cpp, whole_file_windows.cpp).
#include "common/whole_file.h"

namespace quorvana {

WholeFile::WholeFile(std::string path, std::string permissionsFrom)
    : m_path(std::move(path)), m_permissionsFrom(std::move(permissionsFrom))
{
}

WholeFile::~WholeFile() = default;


LegacyFailure WriteWholeFile(const std::string& path, std::string_view bytes, const std::string& permissionsFrom)
{
    WholeFile file(path, permissionsFrom);
    if (LegacyFailure failure = file.Open()) return failure;
    if (LegacyFailure failure = file.Write(bytes)) return failure;
    return file.Commit();
}

}  // namespace quorvana
