// SPDX-License-Identifier: MIT
#include "x11/x11_saver.h"

#include <memory>
#include <new>
#include <vector>

#include "saver/monitor_seed.h"
#include "x11/close_rules.h"
#include "x11/draw_target.h"
#include "x11/event_loop.h"
#include "x11/julia_window.h"
#include "x11/monitors.h"
#include "x11/pixel_format.h"
#include "x11/stop_signals.h"
#include "x11/tick_timer.h"
#include "x11/x_connection.h"

namespace quorvana {
namespace {

// The windows the options name: a given window, the root, an ordinary own
// window, or (full screen) one own window over each monitor, the primary's
// first.
Result<std::vector<std::unique_ptr<DrawTarget>>> MakeTargets(const XConnection& x, const SaverOptions& options)
{
    std::vector<std::unique_ptr<DrawTarget>> targets;
    switch (options.target) {
    case Target::GivenWindow:
        targets.push_back(TRY(DrawTarget::Given(x, options.windowId)));
        break;
    case Target::RootWindow:
        targets.push_back(TRY(DrawTarget::Root(x)));
        break;
    case Target::OwnWindow:
        targets.push_back(TRY(DrawTarget::Own(x)));
        break;
    case Target::FullScreen:
        for (const Rect& monitor : ScreenMonitors(x.Get())) {
            const auto focus = targets.empty() ? DrawTarget::Focus::Takes : DrawTarget::Focus::Refuses;
            targets.push_back(TRY(DrawTarget::FullScreen(x, monitor, focus)));
        }
        break;
    }
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

Result<> Run(const SaverOptions& options)
{
    StopSignals stopSignals;
    const std::unique_ptr<XConnection> x = TRY(XConnection::Open());
    const std::vector<std::unique_ptr<DrawTarget>> targets = TRY(MakeTargets(*x, options));

    // A given --seed is the first window's own, as the exporter takes it.
    const std::uint32_t seed = SeedOrNow(options.seed);
    const std::uint32_t firstMonitor =
        options.seed || targets.front()->IsFullScreen() ? 0 : MonitorOf(x->Get(), *targets.front());
    CloseRules closeRules;  // one saver, however many monitors
    std::vector<std::unique_ptr<JuliaWindow>> windows;
    for (const auto& target : targets) {
        const auto monitor = firstMonitor + static_cast<std::uint32_t>(windows.size());
        windows.push_back(std::make_unique<JuliaWindow>(*target, MonitorSeed(seed, monitor), options.sharedMemory,
                                                        target->IsFullScreen() ? &closeRules : nullptr));
        if (target->Owned())
            target->Show();  // the first Expose starts the first picture
        else
            TRY(windows.back()->Repaint(Rect{0, 0, target->Width(), target->Height()}));
    }

    TickTimer timer(TickPeriodMs(options.speed));
    return RunEventLoop(x->Get(), windows, timer, stopSignals.Fd(), options.pictures);
}

}  // namespace

Result<> RunX11Saver(const SaverOptions& options)
{
    try {
        return Run(options);
    } catch (const std::bad_alloc&) {
        // The pixel store takes four bytes a pixel; unwinding has already
        // freed the image, the shared segment and the connection.
        return Failure::Runtime("not enough memory for a window this large");
    }
}

}  // namespace quorvana
