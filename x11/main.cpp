// SPDX-License-Identifier: MIT
// quorvana: the native X11 saver. It draws zooming Julia sets on a window it
// is given (xscreensaver's, or any by id), on the root window, or in a
// window of its own, one row per tick; see --help and Usage() in options.cpp.
//
// Flow of control, top to bottom:
//   start    main() parses the command line and $XSCREENSAVER_WINDOW
//            (ParseOptions); --help and --version answer and end here.
//   mode     Run() opens the display and picks the DrawTarget the options
//            name: a given window, the root, an own window, or full screen
//            an own window over each monitor (monitors.h), and the
//            PixelFormat of its visual.
//   windows  One JuliaWindow (julia_window.h) over each target owns the
//            renderer and the ImagePresenter, whose image the server reads
//            is the window's pixel store (on most visuals). An
//            own window is mapped and gets its first repaint from its first
//            Expose; a window already on the screen is repainted at once.
//            The primary monitor's window keeps the seed; the others get
//            seeds of their own (saver/monitor_seed.h).
//   ticks    RunEventLoop (event_loop.h) hands every X event to the window
//            (Expose series repaint, ConfigureNotify takes the new size,
//            input at any full-screen window closes them all) and calls
//            Tick() once per TickTimer period: one row, or the frame end
//            after the last row.
//   end      The loop returns on SIGTERM or SIGINT (StopSignals), when the
//            window is destroyed or closed, or after --pictures K; the
//            destructors free the image, the own window and the display.
//            Exit status 0, 1 when the display cannot be used or a window
//            is too large for memory, 2 for bad arguments, no display or no
//            such window.
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/failure.h"
#include "saver/monitor_seed.h"
#include "x11/close_rules.h"
#include "x11/draw_target.h"
#include "x11/event_loop.h"
#include "x11/options.h"
#include "x11/pixel_format.h"
#include "x11/julia_window.h"
#include "x11/monitors.h"
#include "x11/stop_signals.h"
#include "x11/tick_timer.h"
#include "x11/x_connection.h"
#include "xscreensaver/display_mode_lookup.h"
#include "xscreensaver/registration.h"

#ifndef QUORVANA_VERSION
#define QUORVANA_VERSION "unknown"
#endif

namespace quorvana {
namespace {

constexpr const char* kProgram = "quorvana";
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The windows the options name: a given window, the root, an ordinary own
// window, or (full screen) one own window over each monitor, the primary's
// first.
std::vector<std::unique_ptr<DrawTarget>> MakeTargets(const XConnection& x, const SaverOptions& options,
                                                     LegacyFailure* error, int* failure)
{
    std::vector<std::unique_ptr<DrawTarget>> targets;
    *failure = kExitFailure;
    switch (options.target) {
    case Target::GivenWindow:
        *failure = kExitUsage;
        targets.push_back(DrawTarget::Given(x, options.windowId, error));
        break;
    case Target::RootWindow:
        targets.push_back(DrawTarget::Root(x, error));
        break;
    case Target::OwnWindow:
        targets.push_back(DrawTarget::Own(x, error));
        break;
    case Target::FullScreen:
        for (const Rect& monitor : ScreenMonitors(x.Get())) {
            const auto focus = targets.empty() ? DrawTarget::Focus::Takes : DrawTarget::Focus::Refuses;
            targets.push_back(DrawTarget::FullScreen(x, monitor, focus, error));
            if (!targets.back()) break;
        }
        break;
    }
    if (!targets.empty() && !targets.back()) targets.clear();
    return targets;
}

// Which monitor a window that is not full screen lies on, by its centre:
// xscreensaver starts one saver for each monitor's window, all in the same
// second, and without a seed of its own each must still draw its own pictures.
std::uint32_t MonitorOf(Display* display, const DrawTarget& target)
{
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(display, target.Id(), DefaultRootWindow(display), target.Width() / 2, target.Height() / 2,
                          &x, &y, &child);
    return MonitorIndexAt(ScreenMonitors(display), x, y);
}

int Run(const SaverOptions& options)
{
    StopSignals stopSignals;
    LegacyFailure error;
    const auto x = XConnection::Open(&error);
    if (!x) return Fail(stderr, kProgram, error.value_or(""), kExitUsage);

    int failure = 0;
    const std::vector<std::unique_ptr<DrawTarget>> targets = MakeTargets(*x, options, &error, &failure);
    if (targets.empty()) return Fail(stderr, kProgram, error.value_or(""), failure);

    // Every window of one saver has the visual of the first.
    const Visual* visual = targets.front()->GetVisual();
    const auto format = PixelFormat::FromVisual(visual->c_class, targets.front()->Depth(), visual->red_mask,
                                                visual->green_mask, visual->blue_mask, &error);
    if (!format) return Fail(stderr, kProgram, error.value_or(""), kExitFailure);

    // A given --seed is the first window's own, as the exporter takes it.
    const std::uint32_t seed = SeedOrNow(options.seed);
    const std::uint32_t firstMonitor =
        options.seed || targets.front()->IsFullScreen() ? 0 : MonitorOf(x->Get(), *targets.front());
    CloseRules closeRules(!x->IsXwayland());  // one saver, however many monitors
    std::vector<std::unique_ptr<JuliaWindow>> windows;
    for (const auto& target : targets) {
        const auto monitor = firstMonitor + static_cast<std::uint32_t>(windows.size());
        windows.push_back(std::make_unique<JuliaWindow>(x->Get(), *target, *format, MonitorSeed(seed, monitor),
                                                        options.sharedMemory,
                                                        target->IsFullScreen() ? &closeRules : nullptr));
        if (target->Owned())
            target->Show();  // the first Expose starts the first picture
        else
            windows.back()->Repaint(Rect{0, 0, target->Width(), target->Height()});
    }

    TickTimer timer(TickPeriodMs(options.speed));
    RunEventLoop(x->Get(), windows, timer, stopSignals.Fd(), options.pictures);
    return 0;
}

// --register and --unregister. xscreensaver never runs display modes as
// root, so root editing its own file is almost always a mistake (sudo).
int RegisterForUser(const SaverOptions& options)
{
    const RegistrationFiles files = UserRegistrationFiles();
    if (::geteuid() == 0 && !options.asRoot)
        return Fail(stderr, kProgram,
                    "refusing to change " + files.user + " as root: xscreensaver never runs display modes as "
                    "root; run this as the user who runs xscreensaver, or add --as-root", kExitFailure);
    const Registration what = options.registerMode ? Registration::Add : Registration::Remove;
    if (LegacyFailure failure = Register(what, files, stdout)) return Fail(stderr, kProgram, *failure, kExitFailure);
    if (what == Registration::Add && !XscreensaverFinds("quorvana", kXscreensaverModeFolder, std::getenv("PATH")))
        std::fprintf(stderr, "quorvana: warning: xscreensaver will not find the display mode: it must be %s/quorvana "
                             "(install the package) or on $PATH\n", kXscreensaverModeFolder);
    return 0;
}

}  // namespace
}  // namespace quorvana

int main(int argc, char** argv)
{
    using namespace quorvana;
    SaverOptions options;
    if (LegacyFailure bad = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), std::getenv("XSCREENSAVER_WINDOW"),
                                   options))
        return Fail(stderr, kProgram, *bad, kExitUsage);
    if (options.help) {
        std::fputs(Usage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("quorvana %s\n", QUORVANA_VERSION);
        return 0;
    }
    if (options.registerMode || options.unregisterMode) return RegisterForUser(options);
    try {
        return Run(options);
    } catch (const std::bad_alloc&) {
        // The pixel store takes four bytes a pixel; unwinding has already
        // freed the image, the shared segment and the connection.
        return Fail(stderr, kProgram, "not enough memory for a window this large", kExitFailure);
    }
}
