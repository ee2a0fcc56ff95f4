// SPDX-License-Identifier: MIT
#include "tools/animation_recording.h"

#include <memory>
#include <optional>
#include <cstdio>
#include <string>
#include <utility>

#include "saver/tick_period.h"
#include "common/whole_file.h"
#include "render/dirty_surface.h"
#include "render/picture_look.h"
#include "render/shown_picture.h"
#include "tools/formats/not_enough_memory.h"
#include "tools/export_options.h"
#include "tools/formats/animation_writer.h"
#include "tools/interruption.h"
#include "tools/progress.h"
#include "tools/simulated_window.h"
#include "tools/standard_streams.h"

namespace quorvana {

namespace {

constexpr int kShortestTrueDelayMs = 20;

// The ticks from the first repaint on, frame by frame, into the file.
Result<> RecordFrames(const ExportOptions& options, SimulatedWindow& window, int tickPeriodMs, int ticksPerFrame,
                      Progress& progress)
{
    WholeFile file(options.animation);
    TRY(file.Open());

    // The first frame holds the repaint, which clears the whole window,
    // and the ticks after it.
    DirtySurface surface(window.pixels);
    FirstRepaint(window, options, surface);
    const PictureLook look = options.Look();
    const std::unique_ptr<AnimationWriter> writer =
        MakeAnimationWriter(options.animation, options.width, options.height, look.theme);
    // With full rows or the zoom the writer is given the window as shown,
    // still in green levels (the writer applies the theme); else the window
    // itself. A frame holds several ticks: the zoom moving in any of them
    // changes the whole frame.
    ShownPicture shown({PictureLook{Theme(), look.fullRows}, options.zoom ? ZoomTicks(tickPeriodMs) : 0});
    std::optional<PixelStore> shownRows;
    if (!shown.ShowsStoreAsItIs()) TRY(MakePicture(shownRows.emplace(), options.width, options.height));
    const PackedColours levels = Theme().Colours();
    bool wholeChanged = false;
    int ticks = 0;
    for (int picture = 1; picture <= options.pictures;) {
        // The recording is not complete, so its file goes.
        if (Interrupted()) return Failure::Runtime("interrupted");
        const View before = window.renderer.CurrentView();
        const TickOutcome outcome = window.renderer.DrawNextRow(surface);
        shown.AfterTick(window.pixels, outcome, ZoomStep{before, window.renderer.CurrentView()}, window.renderer.Row());
        wholeChanged = wholeChanged || shown.ChangesAll();
        ++ticks;
        progress.Row(picture, window.renderer.Row(), options.height);
        const bool pictureEnds = outcome != TickOutcome::Row;
        // A picture's last frame takes the ticks a full frame would leave
        // short, so no frame but a tiny picture's is shorter than the rest.
        const int ticksLeft = options.height - window.renderer.Row();
        if (!pictureEnds && (ticks < ticksPerFrame || ticksLeft < ticksPerFrame)) continue;
        // Ticks on the rows left black change nothing, yet their time
        // passes: such a frame repeats one pixel as it is.
        Rect changed = shown.ShownArea(surface.TakeDirty(), options.width, options.height);
        if (std::exchange(wholeChanged, false)) changed = Rect{0, 0, options.width, options.height};
        if (changed.IsEmpty()) changed = Rect{0, 0, 1, 1};
        if (shownRows)
            for (int y = changed.top; y < changed.bottom; ++y)
                shown.ShowRow(window.pixels, y, changed.left, changed.right, levels,
                             shownRows->WritableRow(0, y, options.width));
        TRY(writer->AddFrame(shownRows ? *shownRows : window.pixels, changed, ticks * tickPeriodMs));
        TRY(file.Write(BytesOf(writer->Bytes())));
        writer->Bytes().clear();
        ticks = 0;
        if (pictureEnds) {
            progress.PictureRecorded(picture);
            PrintView(window.renderer, outcome, "picture " + std::to_string(picture), picture + 1);
            ++picture;
        }
    }
    TRY(writer->Finish());
    TRY(file.Write(BytesOf(writer->Bytes())));
    return file.Commit();
}

}  // namespace

int DefaultTicksPerFrame(int tickPeriodMs)
{
    return (kShortestTrueDelayMs + tickPeriodMs - 1) / tickPeriodMs;
}

Result<> RecordAnimation(const ExportOptions& options)
{
    const int tickPeriodMs = TickPeriodMs(options.speed.value_or(kDefaultSpeed));
    const int ticksPerFrame = options.ticksPerFrame.value_or(DefaultTicksPerFrame(tickPeriodMs));
    SimulatedWindow window = TRY(SimulatedWindow::Create(options));
    std::printf("seed %u, size %dx%d, %d ticks of %d ms per frame\n", window.seed, options.width, options.height,
                ticksPerFrame, tickPeriodMs);
    Progress progress(stderr, options.pictures);
    // Whatever ends the recording, the progress line ends first, so that a
    // failure's line stands on its own.
    Result<> recorded = FlushReport();
    if (recorded) recorded = RecordFrames(options, window, tickPeriodMs, ticksPerFrame, progress);
    if (!recorded) {
        progress.Finish();
        return recorded;
    }
    progress.RecordingDone(options.animation.c_str());
    return {};
}

}  // namespace quorvana
