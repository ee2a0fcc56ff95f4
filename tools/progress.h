// SPDX-License-Identifier: MIT
// Progress of a long export on standard error: a redrawn bar on a terminal,
// one plain line per finished picture otherwise (logs stay readable). An
// export names each file it writes; a recording, whose pictures all go into
// one file, names that file once, at its end. A name is shown as the error
// lines show it (Printable, common/command_line.h): one line stays one line.
#pragma once

#include <chrono>
#include <cstdio>

namespace quorvana {

class Progress {
public:
    Progress(std::FILE* stream, int pictures);
    // Ends a bar still drawn (Finish), so that a failure that unwinds past
    // the caller (memory running out) still has its line to itself.
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Row(int picture, int row, int height);   // picture counts from 1
    void PictureWritten(int picture, const char* path);  // "picture 2/10 written: out/picture-0002.png"
    void PictureRecorded(int picture);                   // "picture 2/5 recorded"
    void Finish();
    void RecordingDone(const char* path);                // "recorded 5 pictures into rec.gif"

private:
    void PictureLine(int picture, const char* what);

    std::FILE* m_stream;
    int m_pictures;
    bool m_terminal;
    bool m_barShown = false;
    std::chrono::steady_clock::time_point m_lastDraw{};
};

}  // namespace quorvana
