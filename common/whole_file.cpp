// WriteWholeFile on every platform; WholeFile is the platform's
// (whole_file_posix.cpp, whole_file_windows.cpp).
#include "common/whole_file.h"

namespace quorvana {

FileFailure WriteWholeFile(const std::string& path, std::string_view bytes, const std::string& permissionsFrom)
{
    WholeFile file(path, permissionsFrom);
    if (FileFailure failure = file.Open()) return failure;
    if (FileFailure failure = file.Write(bytes)) return failure;
    return file.Commit();
}

}  // namespace quorvana
