// SPDX-License-Identifier: MIT
#include "tools/progress.h"

#include <string>

#include <unistd.h>

#include "common/command_line.h"

namespace quorvana {

namespace {
constexpr int kBarWidth = 40;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
}  // namespace

Progress::Progress(std::FILE* stream, int pictures)
    : m_stream(stream), m_pictures(pictures), m_terminal(isatty(fileno(stream)) != 0)
{
}

Progress::~Progress()
{
    if (m_barShown) Finish();
}

void Progress::Row(int picture, int row, int height)
{
    if (!m_terminal) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastDraw < kRedrawInterval) return;
    m_lastDraw = now;
    const double done = ((picture - 1) + static_cast<double>(row) / height) / m_pictures;
    const int filled = static_cast<int>(done * kBarWidth);
    std::fprintf(m_stream, "\r[%.*s%*s] %3d%%  picture %d/%d, row %d/%d ", filled,
                 "########################################", kBarWidth - filled, "",
                 static_cast<int>(done * 100), picture, m_pictures, row, height);
    std::fflush(m_stream);
    m_barShown = true;
}

void Progress::PictureLine(int picture, const char* what)
{
    if (m_terminal) std::fprintf(m_stream, "\r\033[K");
    std::fprintf(m_stream, "picture %d/%d %s\n", picture, m_pictures, what);
    m_barShown = false;
    m_lastDraw = {};
}

void Progress::PictureWritten(int picture, const char* path)
{
    PictureLine(picture, ("written: " + Printable(path)).c_str());
}

void Progress::PictureRecorded(int picture) { PictureLine(picture, "recorded"); }

void Progress::RecordingDone(const char* path)
{
    Finish();
    std::fprintf(m_stream, "recorded %d picture%s into %s\n", m_pictures, m_pictures == 1 ? "" : "s",
                 Printable(path).c_str());
}

void Progress::Finish()
{
    if (m_terminal) std::fprintf(m_stream, "\r\033[K");
    std::fflush(m_stream);
    m_barShown = false;
}

}  // namespace quorvana
