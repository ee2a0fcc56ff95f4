// SPDX-License-Identifier: MIT
// Writing a file whole: after a full disk, a crash, a power cut or a signal
// the file holds either all of its old bytes or all of the new ones. Both
// programs write every file they make for the user this way: the exporter
// its pictures and recordings, quorvana --register ~/.xscreensaver and its
// backup.
//
// The new bytes go to a temporary file of a unique name beside the final
// one, created new and exclusively (it never opens what someone else made
// or planted there, a link included), reach the disk, and are then renamed
// over the final name; the rename reaches the disk with the folder. A
// symbolic link at the final name is kept and the file it leads to written,
// even one that does not exist yet; an existing file that is not a regular
// file (a device, a FIFO, a folder) is refused. The new file takes the old
// one's permissions and, when run as root (say under sudo), its owner; a
// new file gets what the umask leaves of rw-rw-rw- and, for root, the owner
// of its folder.
//
// The temporary file is removed when the writer goes without Commit. A
// program that a signal may end must let the writer's destructor run
// (tools/interruption.h) or hold the signals while it writes
// (xscreensaver/held_signals.h).
#pragma once

#include "common/failure.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvana {

inline std::string_view BytesOf(const std::vector<unsigned char>& bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

class WholeFile {
public:
    // path: the file to write. permissionsFrom: the file whose permissions
    // and owner the new one takes, when not the old file at path (a backup
    // takes the original's).
    explicit WholeFile(std::string path, std::string permissionsFrom = {});
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    [[nodiscard]] LegacyFailure Open();
    [[nodiscard]] LegacyFailure Write(std::string_view bytes);
    // Puts the bytes in place under the final name.
    [[nodiscard]] LegacyFailure Commit();

private:
    class Temporary;  // the platform's file being written
    struct TemporaryDeleter {
        void operator()(Temporary* temporary) const;
    };
    std::string m_path;
    std::string m_permissionsFrom;
    std::unique_ptr<Temporary, TemporaryDeleter> m_temporary;
};

// The whole file at once.
[[nodiscard]] LegacyFailure WriteWholeFile(const std::string& path, std::string_view bytes,
                                         const std::string& permissionsFrom = {});

}  // namespace quorvana
