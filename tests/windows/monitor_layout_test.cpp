// What a change of the monitors' layout asks of the saver's windows over the
// monitors other than the primary: a table of layouts before and after, and
// one loop that applies each change and checks every monitor is covered
// once and no window is left where a monitor has gone.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/windows/harness.h"
#include "wnd/monitor_layout.h"

using harness::Check;

namespace {

constexpr RECT kRight{1920, 0, 3840, 1080};
constexpr RECT kLeft{-1280, 0, 0, 1024};  // left of the primary: negative coordinates
constexpr RECT kAbove{0, -1440, 2560, 0};
constexpr RECT kRightScaled{1920, 0, 5760, 2160};  // the same monitor at another resolution

bool Same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

std::vector<RECT> Apply(const std::vector<RECT>& covered, const LayoutChange& change)
{
    std::vector<RECT> after;
    for (std::size_t i = 0; i < covered.size(); ++i)
        if (std::find(change.close.begin(), change.close.end(), i) == change.close.end()) after.push_back(covered[i]);
    after.insert(after.end(), change.open.begin(), change.open.end());
    return after;
}

void Changes()
{
    const struct {
        std::vector<RECT> covered, monitors;
        std::size_t closed, opened;
        const char* what;
    } cases[] = {
        {{}, {kRight}, 0, 1, "a first other monitor gets a window"},
        {{kRight}, {kRight}, 0, 0, "an unchanged layout keeps every window and its pictures"},
        {{kRight}, {}, 1, 0, "an unplugged monitor's window closes"},
        {{kRight}, {kRight, kLeft}, 0, 1, "a monitor plugged in left of the primary gets a window"},
        {{kRight, kLeft}, {kLeft, kRight}, 0, 0, "monitors listed in another order change nothing"},
        {{kRight, kLeft}, {kLeft}, 1, 0, "of two monitors, only the gone one's window closes"},
        {{kRight}, {kRightScaled}, 1, 1, "a new resolution: the old window goes, a window of the new size comes"},
        {{kRight, kLeft}, {kAbove}, 2, 1, "a wholly new layout replaces every window"},
        {{kRight, kRight}, {kRight}, 1, 0, "two windows over one monitor: one of them closes"},
        {{kRight}, {kRight, kRight}, 0, 1, "a window for each of two monitors at one place"},
    };
    for (const auto& c : cases) {
        const LayoutChange change = DiffLayout(c.covered, c.monitors);
        Check(change.close.size() == c.closed && change.open.size() == c.opened,
              std::string(c.what) + ": " + std::to_string(change.close.size()) + " closed, " +
                  std::to_string(change.open.size()) + " opened");
        // Whatever the case, afterwards each monitor has exactly one window.
        std::vector<RECT> after = Apply(c.covered, change);
        bool oneEach = after.size() == c.monitors.size();
        for (const RECT& monitor : c.monitors) {
            const auto match = std::find_if(after.begin(), after.end(), [&](const RECT& r) { return Same(r, monitor); });
            if (match == after.end()) {
                oneEach = false;
                break;
            }
            after.erase(match);
        }
        Check(oneEach, std::string(c.what) + ": one window over each monitor and none elsewhere");
    }
}

void ThisDesktop()
{
    // The monitors listed leave out the primary, so its window is not made twice.
    const RECT primary{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const std::vector<RECT> others = OtherMonitorRects();
    Check(std::none_of(others.begin(), others.end(), [&](const RECT& r) { return Same(r, primary); }),
          "the other monitors leave out the primary");
    Check(static_cast<int>(others.size()) + 1 == ::GetSystemMetrics(SM_CMONITORS),
          "every other monitor is listed once, " + std::to_string(others.size()) + " of them");
}

}  // namespace

int wmain()
{
    Changes();
    ThisDesktop();
    return harness::Finish();
}
