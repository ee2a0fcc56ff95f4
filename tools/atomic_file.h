// Writes a file so that it appears complete or not at all: the bytes go to
// a name beside it first, which is renamed over the final name once
// everything has reached the file. The exporter writes every picture and
// recording this way.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace quorvana {

// The name the bytes are written under until they are complete.
std::string PartialName(const std::string& path);

// A file written in pieces. Unless Commit succeeds, the partial file is
// removed when the object goes, so a failed or abandoned write leaves
// nothing behind.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Each returns an error line naming the file and the reason, or empty.
    std::string Open();
    std::string Write(const std::vector<unsigned char>& bytes);
    // Flushes, closes and renames the partial file to the final name.
    std::string Commit();

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::string Failure(const std::string& reason) const;

    std::string m_path;
    std::unique_ptr<std::FILE, FileCloser> m_file;
    bool m_committed = false;
};

// The whole file at once; returns an error line, or empty on success.
std::string WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace quorvana
