#include "tools/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace quorvana {

namespace {

std::string Reason(int error)
{
    return error != 0 ? std::strerror(error) : "write failed";
}

}  // namespace

std::string PartialName(const std::string& path)
{
    return path + ".partial";
}

AtomicFile::AtomicFile(std::string path) : m_path(std::move(path)) {}

AtomicFile::~AtomicFile()
{
    if (m_committed) return;
    m_file.reset();
    std::error_code ignored;
    std::filesystem::remove(PartialName(m_path), ignored);
}

std::string AtomicFile::Failure(const std::string& reason) const
{
    return "cannot write '" + m_path + "': " + reason;
}

std::string AtomicFile::Open()
{
    errno = 0;
    m_file.reset(std::fopen(PartialName(m_path).c_str(), "wb"));
    return m_file ? std::string() : Failure(Reason(errno));
}

std::string AtomicFile::Write(const std::vector<unsigned char>& bytes)
{
    if (bytes.empty()) return {};  // an empty vector may have no memory to point at
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size()) return Failure(Reason(errno));
    return {};
}

std::string AtomicFile::Commit()
{
    // A full device may show itself only when the buffer is flushed or the
    // file closed, so both are checked before the rename.
    errno = 0;
    if (std::fflush(m_file.get()) != 0) return Failure(Reason(errno));
    errno = 0;
    if (std::fclose(m_file.release()) != 0) return Failure(Reason(errno));
    std::error_code renamed;
    std::filesystem::rename(PartialName(m_path), m_path, renamed);
    if (renamed) return Failure(renamed.message());
    m_committed = true;
    return {};
}

std::string WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes)
{
    AtomicFile file(path);
    std::string error = file.Open();
    if (error.empty()) error = file.Write(bytes);
    if (error.empty()) error = file.Commit();
    return error;
}

}  // namespace quorvana
