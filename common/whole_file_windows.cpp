// SPDX-License-Identifier: MIT
// WholeFile on Windows: CreateFile(CREATE_NEW), FlushFileBuffers,
// MoveFileEx(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). Windows has
// no owner or mode to carry over: a file replaced this way takes its
// folder's inherited permissions, as a file saved by any program does.
#include "common/whole_file.h"

#include <windows.h>

#include <string>

namespace quorvana {

namespace {

constexpr int kNameAttempts = 100;

std::string Reason(DWORD error)
{
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) reason.pop_back();
    return reason.empty() ? "error " + std::to_string(error) : reason;
}

std::string CannotWrite(const std::string& path, DWORD error)
{
    return "cannot write '" + path + "': " + Reason(error);
}

std::string UniqueSuffix()
{
    static unsigned s_count = 0;
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    unsigned long long seed = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
                              static_cast<unsigned long long>(now.QuadPart) ^ (++s_count * 0x9E3779B97F4A7C15ull);
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        suffix += static_cast<char>('a' + (seed >> 33) % 26);
    }
    return suffix;
}

}  // namespace

class WholeFile::Temporary {
public:
    Temporary(std::string name, HANDLE handle) : name(std::move(name)), handle(handle) {}
    ~Temporary()
    {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
        if (!renamed) DeleteFileA(name.c_str());
    }

    const std::string name;
    HANDLE handle;
    bool renamed = false;
};

void WholeFile::TemporaryDeleter::operator()(Temporary* temporary) const { delete temporary; }

LegacyFailure WholeFile::Open()
{
    const DWORD attributes = GetFileAttributesA(m_path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "cannot write '" + m_path + "': it is not a regular file";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = m_path + "." + UniqueSuffix() + ".partial";
        const HANDLE handle = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) continue;
        if (handle == INVALID_HANDLE_VALUE) return CannotWrite(m_path, GetLastError());
        m_temporary.reset(new Temporary(std::move(name), handle));
        return {};
    }
    return "cannot write '" + m_path + "': no unused name for a temporary file beside it";
}

LegacyFailure WholeFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(m_temporary->handle, bytes.data(), chunk, &written, nullptr)) return CannotWrite(m_path, GetLastError());
        bytes.remove_prefix(written);
    }
    return {};
}

LegacyFailure WholeFile::Commit()
{
    Temporary& file = *m_temporary;
    if (!FlushFileBuffers(file.handle)) return CannotWrite(m_path, GetLastError());
    const BOOL closed = CloseHandle(file.handle);
    file.handle = INVALID_HANDLE_VALUE;
    if (!closed ||
        !MoveFileExA(file.name.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return CannotWrite(m_path, GetLastError());
    file.renamed = true;
    return {};
}

}  // namespace quorvana
