// Progress of a long export on standard error: a redrawn bar on a terminal,
// one plain line per finished picture otherwise (logs stay readable).
#pragma once

#include <chrono>
#include <cstdio>

namespace quorvana {

class Progress {
public:
    Progress(std::FILE* stream, int pictures);

    void Row(int picture, int row, int height);   // picture counts from 1
    void PictureDone(int picture, const char* path);
    void Finish();

private:
    std::FILE* m_stream;
    int m_pictures;
    bool m_terminal;
    std::chrono::steady_clock::time_point m_lastDraw{};
};

}  // namespace quorvana
