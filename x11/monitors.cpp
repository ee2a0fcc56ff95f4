// SPDX-License-Identifier: MIT
#include "x11/monitors.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <algorithm>
#include <optional>

namespace quorvana {

namespace {

struct Listed {
    std::vector<Rect> monitors;
    std::optional<std::size_t> primary;
};

Listed RandrMonitors(Display* display)
{
    Listed listed;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        major * 100 + minor < 105)
        return listed;
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& m = monitors[i];
        if (m.primary) listed.primary = listed.monitors.size();
        listed.monitors.push_back(Rect{m.x, m.y, m.x + m.width, m.y + m.height});
    }
    if (monitors) XRRFreeMonitors(monitors);
    return listed;
}

Listed XineramaHeads(Display* display)
{
    Listed listed;
    int eventBase = 0, errorBase = 0;
    if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) return listed;
    int count = 0;
    XineramaScreenInfo* heads = XineramaQueryScreens(display, &count);
    for (int i = 0; i < count; ++i)
        listed.monitors.push_back(
            Rect{heads[i].x_org, heads[i].y_org, heads[i].x_org + heads[i].width, heads[i].y_org + heads[i].height});
    if (heads) XFree(heads);
    return listed;
}

}  // namespace

std::optional<int> WatchScreenChanges(Display* display)
{
    int eventBase = 0, errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase)) return std::nullopt;
    XRRSelectInput(display, DefaultRootWindow(display), RRScreenChangeNotifyMask);
    return eventBase + RRScreenChangeNotify;
}

void TakeScreenChange(XEvent& event)
{
    XRRUpdateConfiguration(&event);
}

std::vector<Rect> ScreenMonitors(Display* display)
{
    const int screen = DefaultScreen(display);
    const Rect whole{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
    Listed listed = RandrMonitors(display);
    // A server with Xinerama across several screens may still offer RandR,
    // listing one monitor for the first screen alone.
    const Listed heads = XineramaHeads(display);
    if (heads.monitors.size() > listed.monitors.size()) listed = heads;
    return CoverableMonitors(listed.monitors, listed.primary, whole);
}

}  // namespace quorvana
