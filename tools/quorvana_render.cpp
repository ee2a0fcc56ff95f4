// SPDX-License-Identifier: MIT
// quorvana-render: the headless exporter. It simulates a Quorvana window of
// a given size from its first repaint on, one tick at a time, and writes the
// window after every tick that ends a picture; with --bench it times the
// pictures instead of writing them, with --animation it records every tick.
// Ctrl-C or SIGTERM stops an export between rows: the pictures already
// written stay, a file not yet complete is removed, and the exporter then
// ends by that signal. Before anything, closed standard descriptors get
// /dev/null, so that no file takes their number. Memory running out is a
// failure like any other: one line, status 1, the file not yet complete
// removed; the pictures are made without throwing, and main catches what
// smaller allocations may still throw. See --help.
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "common/standard_descriptors.h"
#include "tools/animation_recording.h"
#include "tools/export_options.h"
#include "tools/formats/not_enough_memory.h"
#include "tools/interruption.h"
#include "tools/output_checks.h"
#include "tools/picture_bench.h"
#include "tools/picture_export.h"
#include "tools/standard_streams.h"

namespace {

using namespace quorvana;

// The mode the options name, once its output place is checked.
Result<> Run(const ExportOptions& options)
{
    if (options.bench) return BenchPictures(options);
    const bool recording = !options.animation.empty();
    TRY(recording ? CheckAnimationFile(options.animation) : PrepareOutputFolder(options.outDir));
    CatchInterruptions();
    Result<> done = recording ? RecordAnimation(options) : ExportPictures(options);
    if (Interrupted()) EndAsInterrupted();
    TRY(std::move(done));
    return FlushReport();
}

}  // namespace

int main(int argc, char** argv)
{
    const Result<ClosedStandardDescriptors> closed = GuardStandardDescriptors();
    if (!closed) return Report(stderr, kExporterName, closed.Error());
    const Result<ExportOptions> parsed = ParseExportOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed) return Report(stderr, kExporterName, parsed.Error());
    const ExportOptions& options = parsed.Value();
    if (options.help) {
        std::fputs(ExportUsage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("quorvana-render %s\n", QUORVANA_VERSION);
        return 0;
    }
    if (Result<> open = CheckReportStream(closed.Value()); !open) return Report(stderr, kExporterName, open.Error());
    // What grows in small steps (a file's bytes, a list) throws when memory
    // runs out; caught here, it unwinds the writers, which remove their
    // temporary files, and the encoder threads, which stop.
    Result<> done;
    try {
        done = Run(options);
    } catch (const std::bad_alloc&) {
        done = Failure::NotEnoughMemoryFor(PictureOfSize(options.width, options.height));
    }
    return done ? 0 : Report(stderr, kExporterName, done.Error());
}
