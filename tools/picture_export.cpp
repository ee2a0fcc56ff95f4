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
#include "tools/formats/not_enough_memory.h"
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

    // Writes the oldest picture, waiting for its encoding.
    Result<> WriteNext()
    {
        EncodedPicture encoded = m_encoders.TakeNext();
        const PendingPicture picture = std::move(m_pending.front());
        m_pending.pop_front();
        if (!encoded)
            return Failure::Runtime("cannot write '" + Printable(picture.path) + "': " + encoded.Error().Message());
        TRY(WriteWholeFile(picture.path, BytesOf(encoded.Value())));
        m_progress.PictureWritten(++m_written, picture.path.c_str());
        std::fputs(picture.viewLine.c_str(), stdout);
        std::fflush(stdout);
        return {};
    }

    // Writes what is ready without waiting.
    Result<> WriteReady()
    {
        while (m_encoders.NextReady()) TRY(WriteNext());
        return {};
    }

    Result<> WriteAll()
    {
        while (!m_encoders.Empty()) TRY(WriteNext());
        return {};
    }

private:
    EncoderPool& m_encoders;
    Progress& m_progress;
    std::deque<PendingPicture> m_pending;
    int m_written = 0;
};

// The pictures, drawn here and encoded by the pool, written in order.
Result<> WritePictures(const ExportOptions& options, SimulatedWindow& window, EncoderPool& encoders,
                       Progress& progress)
{
    OrderedWriter writer(encoders, progress);
    // A wallpaper is drawn by a copy of the window's renderer taken as each
    // picture starts, so the window's own pictures, and the views they lead
    // to, are the saver's.
    std::optional<PixelStore> wallpaper;
    std::optional<JuliaRenderer> wallpaperRenderer;
    if (options.wallpaper) TRY(MakePicture(wallpaper.emplace(), options.width, options.height));
    // Pictures in another look are shown into a store of their own.
    const PictureLook look = options.Look();
    std::optional<PixelStore> shown;
    if (!look.ShowsStoreAsItIs()) TRY(MakePicture(shown.emplace(), options.width, options.height));
    for (int picture = 1; picture <= options.pictures; ++picture) {
        if (wallpaper) wallpaperRenderer.emplace(window.renderer);
        TickOutcome outcome;
        do {
            // Pictures not yet written are dropped; those written are whole.
            if (Interrupted()) return Failure::Runtime("interrupted");
            if (wallpaperRenderer) wallpaperRenderer->DrawWholeRow(*wallpaper);
            outcome = window.renderer.DrawNextRow(window.pixels);
            progress.Row(picture, window.renderer.Row(), options.height);
        } while (outcome == TickOutcome::Row);
        if (encoders.Full()) TRY(writer.WriteNext());
        const std::string path = PicturePath(options, picture);
        writer.Expect({path, DescribeView(window.renderer, outcome, path, picture + 1)});
        const PixelStore& drawn = wallpaper ? *wallpaper : window.pixels;
        if (shown) ShowPicture(drawn, look, *shown);
        TRY(encoders.Submit(shown ? *shown : drawn));
        TRY(writer.WriteReady());
    }
    return writer.WriteAll();
}

}  // namespace

std::string PicturePath(const ExportOptions& options, int picture)
{
    return options.outDir + "/" + PictureFileName(PictureKind(options), picture);
}

const char* PictureKind(const ExportOptions& options) { return options.wallpaper ? "wallpaper" : "picture"; }

Result<> ExportPictures(const ExportOptions& options)
{
    SimulatedWindow window = TRY(SimulatedWindow::Create(options));
    std::printf("seed %u, size %dx%d\n", window.seed, options.width, options.height);
    TRY(FlushReport());
    FirstRepaint(window, options, window.pixels);

    const int workers = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const std::size_t pictureBytes = static_cast<std::size_t>(options.width) * options.height * sizeof(COLORREF);
    const std::unique_ptr<EncoderPool> encoders = TRY(EncoderPool::Start(workers, EncoderPool::HeldFor(workers, pictureBytes)));
    Progress progress(stderr, options.pictures);
    // Whatever ends the export, the progress line ends first, so that a
    // failure's line stands on its own.
    const Result<> exported = WritePictures(options, window, *encoders, progress);
    progress.Finish();
    TRY(exported);
    const std::string earlier =
        DescribeEarlierPictures(options.outDir, EarlierPictures(options.outDir, PictureKind(options), options.pictures));
    if (!earlier.empty()) std::fprintf(stderr, "%s: %s\n", kExporterName, earlier.c_str());
    return {};
}

}  // namespace quorvana
