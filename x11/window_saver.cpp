// SPDX-License-Identifier: MIT
#include "x11/window_saver.h"

#include <utility>

#include "saver/monitor_seed.h"
#include "x11/input_translation.h"
#include "x11/monitors.h"

namespace quorvana {
namespace {

Result<std::unique_ptr<DrawTarget>> MakeTarget(const XConnection& x, const SaverOptions& options)
{
    switch (options.target) {
    case Target::GivenWindow:
        return DrawTarget::Given(x, options.windowId);
    case Target::RootWindow:
        return DrawTarget::Root(x);
    default:
        return DrawTarget::Own(x);
    }
}

// Which monitor a window lies on, by its centre.
std::uint32_t MonitorOf(const DrawTarget& target)
{
    Display* display = target.GetDisplay();
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(display, target.Id(), DefaultRootWindow(display), target.Width() / 2, target.Height() / 2,
                          &x, &y, &child);
    return MonitorIndexAt(ScreenMonitors(display), x, y);
}

}  // namespace

WindowSaver::WindowSaver(std::unique_ptr<JuliaWindow> window, const SaverOptions& options)
    : m_window(std::move(window)), m_pace(options.speed, options.pictures)
{
}

Result<std::unique_ptr<WindowSaver>> WindowSaver::Create(const XConnection& x, const SaverOptions& options)
{
    std::unique_ptr<DrawTarget> target = TRY(MakeTarget(x, options));
    // A given --seed is the window's own, as the exporter takes it.
    const std::uint32_t monitor = options.seed ? 0 : MonitorOf(*target);
    auto window = std::make_unique<JuliaWindow>(std::move(target), MonitorSeed(SeedOrNow(options.seed), monitor),
                                                options.sharedMemory);
    std::unique_ptr<WindowSaver> saver(new WindowSaver(std::move(window), options));
    TRY(saver->m_window->Start());
    saver->m_pace.Begin(*saver->m_window, Clock::now());
    return saver;
}

Result<LoopClient::Next> WindowSaver::OnEvent(XEvent& event)
{
    if (event.xany.window != m_window->Id()) return Next::Continue;
    if (TRY(m_window->HandleEvent(event)) == JuliaWindow::Next::Close) return Next::End;
    m_pace.Begin(*m_window, Clock::now());
    // Only its own window hears keys: it selects them (DrawTarget::Own).
    if (event.type == KeyPress && QuitsOwnWindow(XLookupKeysym(&event.xkey, 0), event.xkey.state)) return Next::End;
    return Next::Continue;
}

Result<LoopClient::Next> WindowSaver::OnDeadline(Clock::time_point now)
{
    return m_pace.Tick({m_window.get()}, now);
}

}  // namespace quorvana
