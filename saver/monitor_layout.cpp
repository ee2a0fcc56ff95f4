// SPDX-License-Identifier: MIT
#include "saver/monitor_layout.h"

#include <algorithm>

namespace quorvana {

std::vector<Rect> CoverableMonitors(const std::vector<Rect>& listed, std::optional<std::size_t> primary,
                                    const Rect& screen)
{
    std::vector<Rect> monitors;
    const auto add = [&](const Rect& m) {
        const Rect clipped = Intersect(m, screen);
        if (!clipped.IsEmpty() && std::find(monitors.begin(), monitors.end(), clipped) == monitors.end())
            monitors.push_back(clipped);
    };
    if (primary && *primary < listed.size()) add(listed[*primary]);
    for (const Rect& m : listed) add(m);
    if (monitors.empty()) monitors.push_back(screen);
    return monitors;
}

std::uint32_t MonitorIndexAt(const std::vector<Rect>& monitors, int x, int y)
{
    const auto holder = std::find_if(monitors.begin(), monitors.end(), [&](const Rect& m) { return m.Contains(x, y); });
    return holder == monitors.end() ? 0 : static_cast<std::uint32_t>(holder - monitors.begin());
}

LayoutChange DiffLayout(const std::vector<Rect>& covered, const std::vector<Rect>& monitors)
{
    LayoutChange change;
    std::vector<bool> kept(monitors.size(), false);
    for (std::size_t i = 0; i < covered.size(); ++i) {
        std::size_t m = 0;
        while (m < monitors.size() && (kept[m] || !(covered[i] == monitors[m]))) ++m;
        if (m < monitors.size())
            kept[m] = true;
        else
            change.close.push_back(i);
    }
    for (std::size_t m = 0; m < monitors.size(); ++m)
        if (!kept[m]) change.open.push_back(monitors[m]);
    return change;
}

}  // namespace quorvana
