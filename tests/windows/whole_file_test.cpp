// SPDX-License-Identifier: MIT
// A file written whole on Windows (common/whole_file_windows.cpp), under
// Wine: names outside the ANSI code page and beyond MAX_PATH are written; an
// existing file keeps its attributes and DACL, or, read-only or linked
// twice, is refused and left as it was; no temporary file is ever left.
// (Wine keeps no DACL of a file's own on a Unix file system: there the check
// is that the one it shows stays.)
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "common/whole_file.h"
#include "tests/windows/harness.h"

namespace {

using harness::Check;

std::wstring Wide(const std::string& utf8)
{
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::wstring Long(const std::string& utf8) { return L"\\\\?\\" + Wide(utf8); }

std::string Read(const std::string& path)
{
    std::ifstream in(std::filesystem::path(Long(path)), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(none)";
}

void Put(const std::string& path, const std::string& bytes) { std::ofstream(std::filesystem::path(Long(path))) << bytes; }

std::wstring Dacl(const std::string& path)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL dacl = nullptr;
    if (GetNamedSecurityInfoW(Long(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return L"(unreadable)";
    wchar_t* text = nullptr;
    ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text,
                                                         nullptr);
    std::wstring dacl_text = text ? text : L"";
    LocalFree(text);
    LocalFree(descriptor);
    return dacl_text;
}

// True when no temporary file is left in the folder.
bool NoPartialFile(const std::string& folder)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((Long(folder) + L"\\*.partial").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    FindClose(search);
    return false;
}

}  // namespace

int wmain(int, wchar_t**)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string root = harness::Narrow(temp) + "quorvana-whole-file-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(Long(root).c_str(), nullptr);
    // A folder whose path alone passes MAX_PATH.
    std::string deep = root;
    for (int level = 0; level < 3; ++level) {
        deep += "\\" + std::string(100, char('p' + level));
        CreateDirectoryW(Long(deep).c_str(), nullptr);
    }
    const std::string old = "the old bytes";
    const std::string kLink = root + "\\linked.png";

    const struct Case {
        const char* what;
        std::string path;
        std::function<void(const std::string&)> setup;  // given the path; the old file is there already
        const char* refusal;                            // nullptr: written
        std::function<bool(const std::string&)> kept;   // what the written file still carries
    } cases[] = {
        {"a name outside the ANSI code page", root + "\\\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1-\xE6\x97\xA5\xE6\x9C\xAC-\xF0\x9F\x98\x80.png",
         nullptr, nullptr, nullptr},
        {"a name of 255 characters", root + "\\" + std::string(251, 'a') + ".gif", nullptr, nullptr, nullptr},
        {"a path beyond MAX_PATH", deep + "\\picture-0001.png", nullptr, nullptr, nullptr},
        {"a hidden file stays hidden", root + "\\hidden.png",
         [](const std::string& path) { SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_HIDDEN); }, nullptr,
         [](const std::string& path) { return (GetFileAttributesW(Long(path).c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0; }},
        {"a read-only file", root + "\\read-only.png",
         [](const std::string& path) { SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_READONLY); },
         "read-only.png': it is read-only", nullptr},
        {"a second hard link", root + "\\twice.png",
         [&](const std::string& path) { CreateHardLinkW(Long(kLink).c_str(), Long(path).c_str(), nullptr); },
         "twice.png': it has 2 hard links", nullptr},
        {"a folder", root + "\\folder.png",
         [](const std::string& path) {
             DeleteFileW(Long(path).c_str());
             CreateDirectoryW(Long(path).c_str(), nullptr);
         },
         "folder.png': it is not a regular file", nullptr},
    };
    for (const Case& c : cases) {
        const std::string what = c.what;
        Put(c.path, old);
        if (c.setup) c.setup(c.path);
        const std::wstring daclBefore = Dacl(c.path);
        const quorvana::Result<> written = quorvana::WriteWholeFile(c.path, "the new bytes");
        const std::string said = written ? "" : written.Error().Message();
        if (c.refusal) {
            Check(!written && said.find(c.refusal) != std::string::npos, what + ": refused, said: " + said);
            Check(GetFileAttributesW(Long(c.path).c_str()) & FILE_ATTRIBUTE_DIRECTORY || Read(c.path) == old,
                  what + ": the file is as it was");
        } else {
            Check(written.Ok(), what + ": written, said: " + said);
            Check(Read(c.path) == "the new bytes", what + ": holds the new bytes");
            if (c.kept) Check(c.kept(c.path), what + ": kept what it carried");
        }
        Check(Dacl(c.path) == daclBefore, what + ": the DACL is as it was");
        const std::string folder = c.path.substr(0, c.path.find_last_of('\\'));
        Check(NoPartialFile(folder), what + ": no temporary file is left");
    }
    Check(Read(kLink) == old, "the other hard link holds the old bytes");
    return harness::Finish();
}
