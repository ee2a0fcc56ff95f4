// SPDX-License-Identifier: MIT
#include "x11/full_screen_saver.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "saver/monitor_layout.h"
#include "x11/input_translation.h"
#include "x11/monitors.h"

namespace quorvana {

namespace {
constexpr std::chrono::milliseconds kXwaylandPointerSettles{500};
// How long a window manager may take to put a new window in place.
constexpr std::chrono::seconds kPlacementSettles{1};

// The window's rectangle on the screen, as the server has it now.
Rect ScreenRect(Display* display, Window window)
{
    XWindowAttributes attributes{};
    int x = 0, y = 0;
    Window child = None;
    if (!XGetWindowAttributes(display, window, &attributes) ||
        !XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child))
        return Rect{};
    return Rect{x, y, x + attributes.width, y + attributes.height};
}

std::string Describe(const Rect& monitor)
{
    return std::to_string(monitor.Width()) + "x" + std::to_string(monitor.Height()) + "+" +
           std::to_string(monitor.left) + "+" + std::to_string(monitor.top);
}
}  // namespace

FullScreenSaver::FullScreenSaver(const XConnection& x, const X11SaverSettings& settings)
    : XDisplayClient(x.Get()),
      m_x(x),
      m_core(settings.speed, settings.seed, settings.pictures),
      m_choices{settings.sharedMemory, settings.Shown()},
      m_xwayland(x.IsXwayland())
{
    // Under Xwayland the motions just after the windows appear may still be
    // the pointer catching up with where it is, as the compositor puts the
    // windows in place and the server learns the pointer's place (seen under
    // load: two motions, 25 pixels apart, with no hand on the mouse): until
    // half a second after the first window is mapped a motion only records.
    if (m_xwayland) m_rules.PointerSettlesUntil(Clock::time_point::max());
}

Result<std::unique_ptr<FullScreenSaver>> FullScreenSaver::Create(const XConnection& x,
                                                                 const X11SaverSettings& settings)
{
    std::unique_ptr<FullScreenSaver> saver(new FullScreenSaver(x, settings));
    // Watching before listing: a change in between is reported, not lost.
    saver->m_screenChange = WatchScreenChanges(x.Get());
    TRY(saver->CoverMonitors(ScreenMonitors(x.Get())));
    return saver;
}

Result<> FullScreenSaver::CoverMonitors(const std::vector<Rect>& monitors)
{
    std::vector<Rect> covered;
    for (const Cover& cover : m_covers) covered.push_back(cover.monitor);
    const LayoutChange change = DiffLayout(covered, monitors);
    bool focusGone = false;
    DropClosed(m_covers, change, [&](const Cover& gone) { focusGone |= gone.window->Target().TakesFocus(); });
    for (const Rect& monitor : change.open) TRY(OpenWindow(monitor, monitor == monitors.front()));
    std::stable_partition(m_covers.begin(), m_covers.end(),
                          [&](const Cover& cover) { return cover.monitor == monitors.front(); });
    // The primary's window went, and the new primary's was there already:
    // it takes the keyboard now, as a new one does once it is mapped.
    const JuliaWindow& first = *m_covers.front().window;
    if (focusGone && !first.Target().TakesFocus())
        XSetInputFocus(m_x.Get(), first.Id(), RevertToParent, CurrentTime);
    return {};
}

Result<> FullScreenSaver::OpenWindow(const Rect& monitor, bool primary)
{
    const auto focus = primary || m_xwayland ? DrawTarget::Focus::Takes : DrawTarget::Focus::Refuses;
    std::unique_ptr<DrawTarget> target = TRY(DrawTarget::FullScreen(m_x, monitor, focus));
    auto window = std::make_unique<JuliaWindow>(std::move(target), m_core.NextScreenSeed(), m_choices);
    TRY(window->Start());
    m_covers.push_back(Cover{monitor, std::move(window)});
    return {};
}

Result<DisplayClient::Next> FullScreenSaver::OnEvent(XEvent& event)
{
    if (m_screenChange && event.type == *m_screenChange) {
        TakeScreenChange(event);
        // The server may move the pointer with the monitors: not the user.
        m_rules.LayoutChanged();
        TRY(CoverMonitors(ScreenMonitors(m_x.Get())));
        return Next::Continue;
    }
    // Events of a window already dropped (its DestroyNotify, say) find none.
    JuliaWindow* window = WindowOf(event.xany.window);
    if (!window) return Next::Continue;
    // The saver destroys its own windows only as they go from its list:
    // one destroyed from outside is the X server ending (Xwayland as its
    // compositor ends), which is no normal end.
    if (event.type == DestroyNotify && event.xdestroywindow.window == window->Id())
        return Failure::Runtime("the X server destroyed the saver's windows: the display is ending");
    if (TRY(window->HandleEvent(event)) == JuliaWindow::Next::Close) return Next::End;
    m_core.Begin(window->Screen(), Clock::now());
    return OnInput(event);
}

DisplayClient::Next FullScreenSaver::OnInput(const XEvent& event)
{
    CloseAnswer answer = CloseAnswer::Stay();
    switch (event.type) {
    case KeyPress:
        answer = m_rules.OnKeyPress();
        break;
    case ButtonPress:
        answer = m_rules.OnButtonPress(ButtonOf(event.xbutton.button));
        break;
    case MapNotify:
        if (m_xwayland && !m_mapped) m_rules.PointerSettlesUntil(Clock::now() + kXwaylandPointerSettles);
        m_mapped = true;
        m_placementCheck = Clock::now() + kPlacementSettles;
        break;
    case MotionNotify:
        answer = m_rules.OnPointerAt(event.xmotion.x_root, event.xmotion.y_root, Clock::now());
        break;
    case EnterNotify:
        // Under Xwayland the server learns where the pointer is only when it
        // enters one of its windows: a new window is mapped "under" the last
        // place it saw (the screen's centre, for a new server) and gets an
        // EnterNotify there; the true place follows as a MotionNotify. There
        // the first motion is the first report.
        if (!m_xwayland) answer = m_rules.OnPointerAt(event.xcrossing.x_root, event.xcrossing.y_root, Clock::now());
        break;
    case FocusOut:
        if (IsFocusLoss(event.xfocus.mode, event.xfocus.detail)) answer = m_rules.OnFocusLost(Clock::now());
        break;
    default:
        break;
    }
    if (const auto at = answer.CheckAt()) m_focusCheck = *at;
    return answer.Closes() ? Next::End : Next::Continue;
}

std::optional<DisplayClient::Clock::time_point> FullScreenSaver::Deadline() const
{
    std::optional<Clock::time_point> earliest = m_core.NextTick();
    for (const auto& other : {m_focusCheck, m_placementCheck})
        if (other && (!earliest || *other < *earliest)) earliest = other;
    return earliest;
}

Result<DisplayClient::Next> FullScreenSaver::OnDeadline(Clock::time_point now)
{
    if (m_focusCheck && now >= *m_focusCheck) {
        m_focusCheck.reset();
        if (m_rules.OnFocusCheck(FocusWithin()).Closes()) return Next::End;
    }
    if (m_placementCheck && now >= *m_placementCheck) {
        m_placementCheck.reset();
        CheckPlacement();
    }
    if (m_core.TakeTick(now))
        for (const Cover& cover : m_covers)
            if (cover.window->Screen().Started()) cover.window->Tick();
    return m_core.Over(m_covers.empty() ? nullptr : &m_covers.front().window->Screen()) ? Next::End : Next::Continue;
}

// Focus that leaves one of the saver's windows for another of them, or that
// comes back at once (a compositor's XWayland takes it away and gives it
// back as a window is mapped), is no sign of the user. Nor, under Xwayland,
// is focus on no X window at all: the compositor, not the user, hands it
// around as it places full-screen windows (sway, cage and Weston leave it on
// none when there are two outputs); the saver's windows still cover every
// output, and input on them closes it.
bool FullScreenSaver::FocusWithin() const
{
    Window focus = None;
    int revert = 0;
    XGetInputFocus(m_x.Get(), &focus, &revert);
    if (m_xwayland && (focus == None || focus == PointerRoot)) return true;
    return WindowOf(focus) != nullptr;
}

void FullScreenSaver::CheckPlacement()
{
    std::vector<Rect> placed;
    for (const Cover& cover : m_covers) placed.push_back(ScreenRect(m_x.Get(), cover.window->Id()));
    std::string uncovered;
    for (const Cover& cover : m_covers) {
        const bool covered = std::any_of(placed.begin(), placed.end(), [&](const Rect& r) {
            return Intersect(r, cover.monitor) == cover.monitor;
        });
        if (covered || std::find(m_saidUncovered.begin(), m_saidUncovered.end(), cover.monitor) != m_saidUncovered.end())
            continue;
        m_saidUncovered.push_back(cover.monitor);
        uncovered += (uncovered.empty() ? "" : ", ") + Describe(cover.monitor);
    }
    if (!uncovered.empty())
        std::fprintf(stderr, "quorvana: the window manager did not put a window over the monitor%s at %s: not covered\n",
                     uncovered.find(',') == std::string::npos ? "" : "s", uncovered.c_str());
}

JuliaWindow* FullScreenSaver::WindowOf(Window id) const
{
    const auto found = std::find_if(m_covers.begin(), m_covers.end(),
                                    [&](const Cover& cover) { return cover.window->Id() == id; });
    return found == m_covers.end() ? nullptr : found->window.get();
}

}  // namespace quorvana
