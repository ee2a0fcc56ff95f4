// SPDX-License-Identifier: MIT
// quorvana-render: the headless exporter. It simulates a Quorvana window of
// a given size from its first repaint on, one tick at a time, and writes the
// window after every tick that ends a picture; with --bench it times the
// pictures instead of writing them, with --animation it records every tick.
// Ctrl-C or SIGTERM stops an export between rows: the pictures already
// written stay, a file not yet complete is removed, and the exporter then
// ends by that signal. See --help.
#include <cstdio>
#include <string>
#include <vector>

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
    const ExportParseResult parsed = ParseExportOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.error) return Fail(stderr, kExporterName, *parsed.error, 2);
    if (parsed.options.help) {
        std::fputs(ExportUsage().c_str(), stdout);
        return 0;
    }
    if (parsed.options.version) {
        std::printf("quorvana-render %s\n", QUORVANA_VERSION);
        return 0;
    }
    if (LegacyFailure failure = GuardStandardStreams()) return Fail(stderr, kExporterName, *failure);
    if (parsed.options.bench) return BenchPictures(parsed.options);
    const bool recording = !parsed.options.animation.empty();
    if (Result<> place = recording ? CheckAnimationFile(parsed.options.animation)
                                   : PrepareOutputFolder(parsed.options.outDir);
        !place)
        return Report(stderr, kExporterName, place.Error());
    CatchInterruptions();
    const int status = recording ? RecordAnimation(parsed.options) : ExportPictures(parsed.options);
    if (Interrupted()) EndAsInterrupted();
    if (status != 0) return status;
    if (LegacyFailure failure = FlushReport()) return Fail(stderr, kExporterName, *failure);
    return 0;
}
