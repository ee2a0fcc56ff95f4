// SPDX-License-Identifier: MIT
#include "tools/picture_export.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <optional>
#include <thread>

#include "common/command_line.h"
#include "common/whole_file.h"
#include "tools/earlier_pictures.h"
#include "tools/encoder_pool.h"
#include "tools/interruption.h"
#include "tools/progress.h"
#include "tools/simulated_window.h"
#include "tools/standard_streams.h"

namespace quorvana {

namespace {

// What the renderer's thread keeps of a picture handed to the encoders.
struct PendingPicture {
    std::string path;
    std::string viewLine;
};

// Pictures handed to the encoders, written back in order.
class OrderedWriter {
public:
    OrderedWriter(EncoderPool& encoders, Progress& progress) : m_encoders(encoders), m_progress(progress) {}

    void Expect(PendingPicture picture) { m_pending.push_back(std::move(picture)); }

    // Writes the oldest picture, waiting for its encoding; false after
    // reporting an error.
    bool WriteNext()
    {
        EncodedPicture encoded = m_encoders.TakeNext();
        const PendingPicture picture = std::move(m_pending.front());
        m_pending.pop_front();
        const Result<> written = encoded.failure
                                     ? Failure::Runtime("cannot write '" + Printable(picture.path) + "': " + *encoded.failure)
                                     : WriteWholeFile(picture.path, BytesOf(encoded.png));
        if (!written) {
            m_progress.Finish();
            Report(stderr, kExporterName, written.Error());
            return false;
        }
        m_progress.PictureWritten(++m_written, picture.path.c_str());
        std::fputs(picture.viewLine.c_str(), stdout);
        std::fflush(stdout);
        return true;
    }

    // Writes what is ready without waiting.
    bool WriteReady()
    {
        while (m_encoders.NextReady())
            if (!WriteNext()) return false;
        return true;
    }

    bool WriteAll()
    {
        while (!m_encoders.Empty())
            if (!WriteNext()) return false;
        return true;
    }

private:
    EncoderPool& m_encoders;
    Progress& m_progress;
    std::deque<PendingPicture> m_pending;
    int m_written = 0;
};

}  // namespace

std::string PicturePath(const ExportOptions& options, int picture)
{
    return options.outDir + "/" + PictureFileName(PictureKind(options), picture);
}

const char* PictureKind(const ExportOptions& options) { return options.wallpaper ? "wallpaper" : "picture"; }

int ExportPictures(const ExportOptions& options)
{
    SimulatedWindow window(options);
    std::printf("seed %u, size %dx%d\n", window.seed, options.width, options.height);
    if (LegacyFailure failure = FlushReport()) return Fail(stderr, kExporterName, *failure);
    FirstRepaint(window, options, window.pixels);

    const int workers = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const std::size_t pictureBytes = static_cast<std::size_t>(options.width) * options.height * sizeof(COLORREF);
    EncoderPool encoders(workers, EncoderPool::HeldFor(workers, pictureBytes));
    Progress progress(stderr, options.pictures);
    OrderedWriter writer(encoders, progress);
    // A wallpaper is drawn by a copy of the window's renderer taken as each
    // picture starts, so the window's own pictures, and the views they lead
    // to, are the saver's.
    std::optional<PixelStore> wallpaper;
    std::optional<JuliaRenderer> wallpaperRenderer;
    if (options.wallpaper) wallpaper.emplace(options.width, options.height);
    for (int picture = 1; picture <= options.pictures; ++picture) {
        if (wallpaper) wallpaperRenderer.emplace(window.renderer);
        TickOutcome outcome;
        do {
            if (Interrupted()) {
                progress.Finish();
                return 1;  // pictures not yet written are dropped; those written are whole
            }
            if (wallpaperRenderer) wallpaperRenderer->DrawWholeRow(*wallpaper);
            outcome = window.renderer.DrawNextRow(window.pixels);
            progress.Row(picture, window.renderer.m_row, options.height);
        } while (outcome == TickOutcome::Row);
        if (encoders.Full() && !writer.WriteNext()) return 1;
        const std::string path = PicturePath(options, picture);
        writer.Expect({path, DescribeView(window.renderer, outcome, path)});
        encoders.Submit(wallpaper ? *wallpaper : window.pixels);
        if (!writer.WriteReady()) return 1;
    }
    if (!writer.WriteAll()) return 1;
    progress.Finish();
    const std::string earlier =
        DescribeEarlierPictures(options.outDir, EarlierPictures(options.outDir, PictureKind(options), options.pictures));
    if (!earlier.empty()) std::fprintf(stderr, "%s: %s\n", kExporterName, earlier.c_str());
    return 0;
}

}  // namespace quorvana
