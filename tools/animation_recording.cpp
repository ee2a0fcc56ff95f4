// SPDX-License-Identifier: MIT
#include "tools/animation_recording.h"

#include <memory>
#include <cstdio>
#include <string>

#include "saver/tick_period.h"
#include "common/whole_file.h"
#include "render/dirty_surface.h"
#include "tools/export_options.h"
#include "tools/formats/animation_writer.h"
#include "tools/interruption.h"
#include "tools/progress.h"
#include "tools/simulated_window.h"
#include "tools/standard_streams.h"

namespace quorvana {

namespace {

constexpr int kShortestTrueDelayMs = 20;

// Ends the progress line, so that the failure's line stands on its own.
int FinishAndFail(Progress& progress, const std::string& failure)
{
    progress.Finish();
    return Fail(stderr, kExporterName, failure);
}

// Until the animation writer returns a Result: the file's failure in the writer's shape.
LegacyFailure MessageOf(const Result<>& written)
{
    return written ? LegacyFailure() : written.Error().Message();
}

}  // namespace

int DefaultTicksPerFrame(int tickPeriodMs)
{
    return (kShortestTrueDelayMs + tickPeriodMs - 1) / tickPeriodMs;
}

int RecordAnimation(const ExportOptions& options)
{
    const int tickPeriodMs = TickPeriodMs(options.speed.value_or(kDefaultSpeed));
    const int ticksPerFrame = options.ticksPerFrame.value_or(DefaultTicksPerFrame(tickPeriodMs));
    SimulatedWindow window(options);
    std::printf("seed %u, size %dx%d, %d ticks of %d ms per frame\n", window.seed, options.width, options.height,
                ticksPerFrame, tickPeriodMs);
    Progress progress(stderr, options.pictures);
    if (LegacyFailure failure = FlushReport()) return FinishAndFail(progress, *failure);
    WholeFile file(options.animation);
    if (Result<> opened = file.Open(); !opened) return FinishAndFail(progress, opened.Error().Message());

    // The first frame holds the repaint, which clears the whole window,
    // and the ticks after it.
    DirtySurface surface(window.pixels);
    FirstRepaint(window, options, surface);
    const std::unique_ptr<AnimationWriter> writer =
        MakeAnimationWriter(options.animation, options.width, options.height);
    int ticks = 0;
    for (int picture = 1; picture <= options.pictures;) {
        if (Interrupted()) {
            progress.Finish();
            return 1;  // the recording is not complete, so its file goes
        }
        const TickOutcome outcome = window.renderer.DrawNextRow(surface);
        ++ticks;
        progress.Row(picture, window.renderer.m_row, options.height);
        const bool pictureEnds = outcome != TickOutcome::Row;
        // A picture's last frame takes the ticks a full frame would leave
        // short, so no frame but a tiny picture's is shorter than the rest.
        const int ticksLeft = options.height - window.renderer.m_row;
        if (!pictureEnds && (ticks < ticksPerFrame || ticksLeft < ticksPerFrame)) continue;
        // Ticks on the rows left black change nothing, yet their time
        // passes: such a frame repeats one pixel as it is.
        Rect changed = surface.TakeDirty();
        if (changed.IsEmpty()) changed = Rect{0, 0, 1, 1};
        LegacyFailure failure = writer->AddFrame(window.pixels, changed, ticks * tickPeriodMs);
        if (!failure) failure = MessageOf(file.Write(BytesOf(writer->Bytes())));
        if (failure) return FinishAndFail(progress, *failure);
        writer->Bytes().clear();
        ticks = 0;
        if (pictureEnds) {
            progress.PictureRecorded(picture);
            PrintView(window.renderer, outcome, "picture " + std::to_string(picture));
            ++picture;
        }
    }
    LegacyFailure failure = writer->Finish();
    if (!failure) failure = MessageOf(file.Write(BytesOf(writer->Bytes())));
    if (!failure) failure = MessageOf(file.Commit());
    if (failure) return FinishAndFail(progress, *failure);
    progress.RecordingDone(options.animation.c_str());
    return 0;
}

}  // namespace quorvana
