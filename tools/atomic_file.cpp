#include "tools/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace quorvana {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Reason(int error)
{
    return error != 0 ? std::strerror(error) : "write failed";
}

}  // namespace

std::string PartialName(const std::string& path)
{
    return path + ".partial";
}

std::string WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes)
{
    const std::string partial = PartialName(path);
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(partial.c_str(), "wb"));
    if (!file) return "cannot write '" + path + "': " + Reason(errno);
    // A full device may show itself only when the buffer is flushed or the
    // file closed, so both are checked before the rename.
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                         std::fflush(file.get()) == 0;
    int error = errno;
    const bool closed = std::fclose(file.release()) == 0;
    if (written && !closed) error = errno;
    std::string reason = Reason(error);
    if (written && closed) {
        std::error_code renamed;
        std::filesystem::rename(partial, path, renamed);
        if (!renamed) return {};
        reason = renamed.message();
    }
    std::remove(partial.c_str());
    return "cannot write '" + path + "': " + reason;
}

}  // namespace quorvana
