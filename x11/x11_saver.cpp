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
std::vector<std::unique_ptr<DrawTarget>> MakeTargets(const XConnection& x, const SaverOptions& options,
                                                     LegacyFailure* error, Failure::Kind* kind)
{
    std::vector<std::unique_ptr<DrawTarget>> targets;
    *kind = Failure::Kind::Runtime;
    switch (options.target) {
    case Target::GivenWindow:
        *kind = Failure::Kind::Usage;
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

Result<> Run(const SaverOptions& options)
{
    StopSignals stopSignals;
    LegacyFailure error;
    const auto x = XConnection::Open(&error);
    if (!x) return Failure::Usage(error.value_or(""));

    Failure::Kind kind = Failure::Kind::Runtime;
    const std::vector<std::unique_ptr<DrawTarget>> targets = MakeTargets(*x, options, &error, &kind);
    if (targets.empty())
        return kind == Failure::Kind::Usage ? Failure::Usage(error.value_or("")) : Failure::Runtime(error.value_or(""));

    // Every window of one saver has the visual of the first.
    const Visual* visual = targets.front()->GetVisual();
    const auto format = PixelFormat::FromVisual(visual->c_class, targets.front()->Depth(), visual->red_mask,
                                                visual->green_mask, visual->blue_mask, &error);
    if (!format) return Failure::Runtime(error.value_or(""));

    // A given --seed is the first window's own, as the exporter takes it.
    const std::uint32_t seed = SeedOrNow(options.seed);
    const std::uint32_t firstMonitor =
        options.seed || targets.front()->IsFullScreen() ? 0 : MonitorOf(x->Get(), *targets.front());
    CloseRules closeRules;  // one saver, however many monitors
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
    return {};
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
