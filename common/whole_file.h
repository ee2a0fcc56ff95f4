// SPDX-License-Identifier: MIT
// Writing a file whole: after a full disk, a crash, a power cut or a signal
// the file holds either all of its old bytes or all of the new ones, and it
// keeps everything it carried besides its bytes. Both programs write every
// file they make for the user this way: the exporter its pictures and
// recordings, quorvana --register ~/.xscreensaver and its backup. The
// reading counterpart is read_whole_file.h.
//
// The new bytes go to a temporary file of a unique name beside the final
// one ("NAME.xxxxxxxx.partial", NAME shortened so that it fits wherever the
// final name does), created new and exclusively (it never opens what someone
// else made or planted there, a link included), reach the disk, and are then
// renamed over the final name; the rename reaches the disk with the folder.
// A symbolic link at the final name is kept and the file it leads to
// written, even one that does not exist yet.
//
// What an existing file carries, the new one carries too: on POSIX systems
// its permission bits, access control list, extended attributes, its group
// and, when run as root (say under sudo), its owner; on Windows its security
// descriptor, attributes and alternate data streams. Where one of them cannot
// be kept (a file system without them, a group the user is not in), nothing
// is written and the failure says which. A new file gets what any program's
// new file gets there (the umask or the folder's default ACL; for root, the
// folder's owner).
//
// Refused, with the file left as it was: an existing file that is not a
// regular file (a device, a FIFO, a folder); one that the user may not
// write (read-only, another user's), although the folder would let a new
// file take its name (root writes any, as ever); one with more than one
// hard link, since a replacement would part the names and writing in place
// could leave it half written (a symbolic link is followed instead).
//
// The temporary file is removed when the writer goes without Commit. A
// program that a signal may end must let the writer's destructor run
// (tools/interruption.h) or hold the signals while it writes
// (xscreensaver/held_signals.h). Every failure is one line: "cannot write
// 'PATH': REASON", the path printable (common/command_line.h).
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
    // path: the file to write (UTF-8 on Windows). permissionsFrom: the file
    // whose permissions, attributes and owner the new one takes, when not the
    // old file at path (a backup takes the original's).
    explicit WholeFile(std::string path, std::string permissionsFrom = {});
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // Checks that the file may be replaced and makes the temporary file with
    // what the final one must carry; nothing is written on a refusal.
    [[nodiscard]] Result<> Open();
    [[nodiscard]] Result<> Write(std::string_view bytes);
    // Puts the bytes in place under the final name.
    [[nodiscard]] Result<> Commit();

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
[[nodiscard]] Result<> WriteWholeFile(const std::string& path, std::string_view bytes,
                                      const std::string& permissionsFrom = {});

}  // namespace quorvana
