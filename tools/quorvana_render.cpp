// SPDX-License-Identifier: MIT
// quorvana-render: the headless exporter. It simulates a Quorvana window of
// a given size from its first repaint on, one tick at a time, and writes the
// window after every tick that ends a picture; with --bench it times the
// pictures instead of writing them, with --animation it records every tick.
// Ctrl-C or SIGTERM stops an export between rows: the pictures already
// written stay, a file not yet complete is removed, and the exporter then
// ends by that signal. Before anything, closed standard descriptors get
// /dev/null, so that no file takes their number. See --help.
#include <cstdio>
#include <string>
#include <vector>

#include "common/standard_descriptors.h"
#include "tools/animation_recording.h"
#include "tools/export_options.h"
#include "tools/interruption.h"
#include "tools/output_checks.h"
#include "tools/picture_bench.h"
#include "tools/picture_export.h"
#include "tools/standard_streams.h"

int main(int argc, char** argv)
{
    using namespace quorvana;
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
    if (options.bench) {
        BenchPictures(options);
        return 0;
    }
    const bool recording = !options.animation.empty();
    if (Result<> place = recording ? CheckAnimationFile(options.animation) : PrepareOutputFolder(options.outDir); !place)
        return Report(stderr, kExporterName, place.Error());
    CatchInterruptions();
    Result<> done = recording ? RecordAnimation(options) : ExportPictures(options);
    if (Interrupted()) EndAsInterrupted();
    if (done) done = FlushReport();
    if (!done) return Report(stderr, kExporterName, done.Error());
    return 0;
}
