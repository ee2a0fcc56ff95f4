// SPDX-License-Identifier: MIT
// WholeFile on Windows: CreateFileW(CREATE_NEW) beside the final file (the
// one a symbolic link leads to),
// FlushFileBuffers, then ReplaceFileW over an existing file (which keeps its
// security descriptor, attributes and alternate data streams, or fails) or
// MoveFileExW(MOVEFILE_WRITE_THROUGH) for a new one. The new file takes the
// old one's attributes and DACL itself first, so they hold wherever
// ReplaceFileW merges less. Paths are UTF-8, made UTF-16 and absolute with
// the \\?\ prefix, so that neither the ANSI code page nor MAX_PATH limits a
// name the file system takes.
#include "common/whole_file.h"

#include <windows.h>
#include <aclapi.h>

#include <optional>
#include <string>

#include "common/temporary_name.h"

namespace quorvana {

using whole_file::CannotWrite;

namespace {

constexpr std::size_t kLongestName = 255;  // UTF-16 units in a name, as NTFS and FAT take
// What a replaced file's attributes carry over; the rest belong to the file system.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::string Utf8(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

std::string Reason(DWORD error)
{
    wchar_t text[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, static_cast<DWORD>(std::size(text)), nullptr);
    std::string reason = Utf8(std::wstring(text, length));
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.' ||
                               reason.back() == ' '))
        reason.pop_back();
    return reason.empty() ? "error " + std::to_string(error) : reason;
}

std::string LastReason() { return Reason(GetLastError()); }

// The UTF-8 path as an absolute UTF-16 one with the \\?\ prefix (for a
// share \\?\UNC\ and its server), which the W functions take beyond MAX_PATH.
Result<std::wstring> LongPath(const std::string& path)
{
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                                           nullptr, 0);
    if (length <= 0 && !path.empty()) return CannotWrite(path, "its name is not UTF-8");
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    if (wide.starts_with(L"\\\\?\\")) return wide;
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD got = size ? GetFullPathNameW(wide.c_str(), size, full.data(), nullptr) : 0;
    if (got == 0 || got >= size) return CannotWrite(path, LastReason());
    full.resize(got);
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~Handle()
    {
        if (Valid()) CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return m_handle; }
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    [[nodiscard]] bool Close()
    {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle);
    }

private:
    HANDLE m_handle;
};

// An existing file may be replaced: a plain file the user may write (its
// read-only attribute and its DACL say so), with one name.
Result<> CheckReplaceable(const std::wstring& path, const std::string& shown)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return CannotWrite(shown, "it is not a regular file");
    if (attributes & FILE_ATTRIBUTE_READONLY) return CannotWrite(shown, "it is read-only");
    // Opening for writing asks the DACL; nothing is written through it.
    const Handle file(CreateFileW(path.c_str(), FILE_WRITE_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return CannotWrite(shown, LastReason());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.Get(), &info)) return CannotWrite(shown, LastReason());
    if (info.nNumberOfLinks > 1)
        return CannotWrite(shown, "it has " + std::to_string(info.nNumberOfLinks) +
                                      " hard links, which replacing it would split (a symbolic link is followed)");
    return {};
}

// The model's attributes and DACL (protected or inheriting, as it was) on the new file.
Result<> CopySecurity(const std::wstring& model, HANDLE file, const std::wstring& name, const std::string& shown)
{
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (const DWORD got = GetNamedSecurityInfoW(model.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                                nullptr, &dacl, nullptr, &descriptor);
        got != ERROR_SUCCESS)
        return CannotWrite(shown, "its security descriptor cannot be read: " + Reason(got));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | (control & SE_DACL_PROTECTED
                                                                        ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                        : UNPROTECTED_DACL_SECURITY_INFORMATION);
    const DWORD set = SetSecurityInfo(file, SE_FILE_OBJECT, what, nullptr, nullptr, dacl, nullptr);
    LocalFree(descriptor);
    if (set != ERROR_SUCCESS) return CannotWrite(shown, "its security descriptor cannot be kept: " + Reason(set));
    const DWORD attributes = GetFileAttributesW(model.c_str()) & kKeptAttributes;
    if (attributes && !SetFileAttributesW(name.c_str(), attributes))
        return CannotWrite(shown, "its attributes cannot be kept: " + LastReason());
    return {};
}

// The file a symbolic link (or a chain of them) at path leads to; path
// itself when it is none. A link that leads nowhere cannot be followed here.
Result<std::wstring> FollowLinks(const std::wstring& path, const std::string& shown)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
    const Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) return CannotWrite(shown, LastReason());
    std::wstring target(32768, L'\0');  // the longest path the W functions take
    const DWORD length = GetFinalPathNameByHandleW(file.Get(), target.data(), static_cast<DWORD>(target.size()), 0);
    if (length == 0 || length >= target.size()) return CannotWrite(shown, LastReason());
    target.resize(length);
    return target;
}

}  // namespace

class WholeFile::Temporary {
public:
    Temporary(std::wstring target, std::wstring folder) : target(std::move(target)), folder(std::move(folder)) {}
    ~Temporary()
    {
        handle.reset();
        if (!name.empty() && !renamed) DeleteFileW(name.c_str());
    }

    const std::wstring target;  // the final name, absolute
    const std::wstring folder;  // with its last backslash
    std::wstring name;          // made by this writer, exclusively
    std::optional<Handle> handle;
    bool renamed = false;
};

void WholeFile::TemporaryDeleter::operator()(Temporary* temporary) const { delete temporary; }

Result<> WholeFile::Open()
{
    const std::wstring given = TRY(LongPath(m_path));
    const std::wstring target = TRY(FollowLinks(given, m_path));
    const std::size_t slash = target.find_last_of(L'\\');
    const std::wstring finalName = target.substr(slash + 1);
    if (finalName.empty()) return CannotWrite(m_path, Reason(ERROR_DIRECTORY));
    std::unique_ptr<Temporary, TemporaryDeleter> temporary(new Temporary(target, target.substr(0, slash + 1)));

    const bool replacing = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (replacing) TRY(CheckReplaceable(target, m_path));
    std::optional<std::wstring> model;
    if (!m_permissionsFrom.empty()) model = TRY(LongPath(m_permissionsFrom));
    else if (replacing) model = target;

    TRY(whole_file::CreateTemporary(
        [&](const std::string& suffix) -> Result<whole_file::Created> {
            std::wstring name = temporary->folder + whole_file::TemporaryName<wchar_t>(finalName, suffix, kLongestName);
            const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE | WRITE_DAC, 0, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE &&
                (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS))
                return whole_file::Created::NameTaken;
            if (handle == INVALID_HANDLE_VALUE) return CannotWrite(m_path, LastReason());
            temporary->name = std::move(name);
            temporary->handle.emplace(handle);
            return whole_file::Created::Made;
        },
        m_path));
    if (model) TRY(CopySecurity(*model, temporary->handle->Get(), temporary->name, m_path));
    m_temporary = std::move(temporary);
    return {};
}

Result<> WholeFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(m_temporary->handle->Get(), bytes.data(), chunk, &written, nullptr))
            return CannotWrite(m_path, LastReason());
        bytes.remove_prefix(written);
    }
    return {};
}

Result<> WholeFile::Commit()
{
    Temporary& file = *m_temporary;
    if (!FlushFileBuffers(file.handle->Get()) || !file.handle->Close()) return CannotWrite(m_path, LastReason());
    // The file may have gained a name or lost its writability meanwhile, as at Open.
    const bool replacing = GetFileAttributesW(file.target.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (replacing) TRY(CheckReplaceable(file.target, m_path));
    // Without REPLACEFILE_IGNORE_MERGE_ERRORS: what cannot be kept fails the replacement.
    const bool replaced = replacing && ReplaceFileW(file.target.c_str(), file.name.c_str(), nullptr, 0, nullptr, nullptr);
    if (!replaced && (replacing && GetLastError() != ERROR_FILE_NOT_FOUND))
        return CannotWrite(m_path, LastReason());
    if (!replaced &&
        !MoveFileExW(file.name.c_str(), file.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return CannotWrite(m_path, LastReason());
    file.renamed = true;
    return {};
}

}  // namespace quorvana
