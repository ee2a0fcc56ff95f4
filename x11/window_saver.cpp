// SPDX-License-Identifier: MIT
#include "x11/window_saver.h"

#include <utility>

#include "x11/input_translation.h"
#include "x11/monitors.h"

namespace quorvana {
namespace {

Result<std::unique_ptr<DrawTarget>> MakeTarget(const XConnection& x, const X11SaverSettings& settings)
{
    switch (settings.target) {
    case X11Target::GivenWindow:
        return DrawTarget::Given(x, settings.windowId);
    case X11Target::RootWindow:
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

WindowSaver::WindowSaver(const XConnection& x, const X11SaverSettings& settings)
    : XDisplayClient(x.Get()), m_core(settings.speed, settings.seed, settings.pictures)
{
}

Result<std::unique_ptr<WindowSaver>> WindowSaver::Create(const XConnection& x, const X11SaverSettings& settings)
{
    std::unique_ptr<WindowSaver> saver(new WindowSaver(x, settings));
    std::unique_ptr<DrawTarget> target = TRY(MakeTarget(x, settings));
    // A seed asked for is the window's own, as the exporter takes it.
    const std::uint32_t seed = settings.seedAskedFor ? settings.seed : saver->m_core.SeedOfMonitor(MonitorOf(*target));
    saver->m_window = std::make_unique<JuliaWindow>(std::move(target), seed,
                                                     PresenterChoices{settings.sharedMemory, settings.Shown()});
    TRY(saver->m_window->Start());
    saver->m_core.Begin(saver->m_window->Screen(), Clock::now());
    return saver;
}

Result<DisplayClient::Next> WindowSaver::OnEvent(XEvent& event)
{
    if (event.xany.window != m_window->Id()) return Next::Continue;
    if (TRY(m_window->HandleEvent(event)) == JuliaWindow::Next::Close) return Next::End;
    m_core.Begin(m_window->Screen(), Clock::now());
    // Only its own window hears keys: it selects them (DrawTarget::Own).
    if (event.type == KeyPress && QuitsOwnWindow(XLookupKeysym(&event.xkey, 0), event.xkey.state)) return Next::End;
    return Next::Continue;
}

Result<DisplayClient::Next> WindowSaver::OnDeadline(Clock::time_point now)
{
    if (m_core.TakeTick(now)) m_window->Tick();
    return m_core.Over(&m_window->Screen()) ? Next::End : Next::Continue;
}

}  // namespace quorvana
