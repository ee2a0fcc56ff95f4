// SPDX-License-Identifier: MIT
#include "x11/draw_target.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <unistd.h>

#include "x11/pixel_format.h"

namespace quorvana {

namespace {

std::string HexId(Window window)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

}  // namespace

DrawTarget::~DrawTarget()
{
    if (m_owned) XDestroyWindow(m_display, m_window);
    if (m_colormap) XFreeColormap(m_display, m_colormap);
    if (m_hiddenCursor) XFreeCursor(m_display, m_hiddenCursor);
    XSync(m_display, False);
}

bool DrawTarget::ReadAttributes(Window window, LegacyFailure* error)
{
    XWindowAttributes attributes;
    ErrorTrap trap(m_display);
    // Selecting first: a window destroyed after this call still reports it.
    XSelectInput(m_display, window, ExposureMask | StructureNotifyMask);
    const Status read = XGetWindowAttributes(m_display, window, &attributes);
    if (trap.Failed() || !read) {
        *error = "there is no window " + HexId(window) + " on display '" + DisplayString(m_display) + "'";
        return false;
    }
    if (attributes.c_class != InputOutput) {
        *error = "window " + HexId(window) + " is input-only and cannot be drawn on";
        return false;
    }
    m_window = window;
    m_visual = attributes.visual;
    m_depth = attributes.depth;
    m_width = attributes.width;
    m_height = attributes.height;
    return true;
}

std::unique_ptr<DrawTarget> DrawTarget::Given(const XConnection& x, Window window, LegacyFailure* error)
{
    std::unique_ptr<DrawTarget> target(new DrawTarget(x.Get()));
    if (!target->ReadAttributes(window, error)) return nullptr;
    return target;
}

std::unique_ptr<DrawTarget> DrawTarget::Root(const XConnection& x, LegacyFailure* error)
{
    return Given(x, DefaultRootWindow(x.Get()), error);
}

// The default visual when it will do, else any TrueColor visual of depth 24
// (then 32) that the screen offers.
bool DrawTarget::PickVisual(Display* display, int screen, XVisualInfo* chosen)
{
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(DefaultVisual(display, screen));
    wanted.screen = screen;
    int count = 0;
    if (XVisualInfo* found = XGetVisualInfo(display, VisualIDMask | VisualScreenMask, &wanted, &count)) {
        const bool usable = count > 0 && PixelFormat::Drawable(found[0].c_class, found[0].depth);
        if (usable) *chosen = found[0];
        XFree(found);
        if (usable) return true;
    }
    return XMatchVisualInfo(display, screen, 24, TrueColor, chosen) ||
           XMatchVisualInfo(display, screen, 32, TrueColor, chosen);
}

bool DrawTarget::HasEwmhWindowManager(const XConnection& x)
{
    Display* display = x.Get();
    const Atom check = x.Intern("_NET_SUPPORTING_WM_CHECK");
    auto readCheck = [&](Window window, Window* value) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        ErrorTrap trap(display);
        const int status = XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &items,
                                              &after, &data);
        const bool ok = !trap.Failed() && status == Success && type == XA_WINDOW && format == 32 && items == 1;
        if (ok) *value = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
        if (data) XFree(data);
        return ok;
    };
    Window child = 0, again = 0;
    return readCheck(DefaultRootWindow(display), &child) && readCheck(child, &again) && again == child;
}

std::unique_ptr<DrawTarget> DrawTarget::Own(const XConnection& x, LegacyFailure* error)
{
    return Create(x, nullptr, Focus::Refuses, error);
}

std::unique_ptr<DrawTarget> DrawTarget::FullScreen(const XConnection& x, const Rect& monitor, Focus focus,
                                                   LegacyFailure* error)
{
    return Create(x, &monitor, focus, error);
}

// monitor: the area a full-screen window covers; null for an ordinary window.
std::unique_ptr<DrawTarget> DrawTarget::Create(const XConnection& x, const Rect* monitor, Focus focus,
                                               LegacyFailure* error)
{
    const bool fullScreen = monitor != nullptr;
    Display* display = x.Get();
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    XVisualInfo visual{};
    if (!PickVisual(display, screen, &visual)) {
        *error = "the screen offers no TrueColor visual of depth 24 or 32, which quorvana needs";
        return nullptr;
    }
    std::unique_ptr<DrawTarget> target(new DrawTarget(display));
    target->m_owned = true;
    target->m_fullScreen = fullScreen;
    target->m_takesFocus = fullScreen && focus == Focus::Takes;
    target->m_visual = visual.visual;
    target->m_depth = visual.depth;

    XSetWindowAttributes attributes{};
    unsigned long mask = CWBackPixel | CWBorderPixel | CWEventMask;
    attributes.background_pixel = 0;
    attributes.border_pixel = 0;
    attributes.event_mask = ExposureMask | StructureNotifyMask;
    if (visual.visual != DefaultVisual(display, screen)) {
        target->m_colormap = XCreateColormap(display, root, visual.visual, AllocNone);
        attributes.colormap = target->m_colormap;
        mask |= CWColormap;
    }
    target->m_width = kOwnWindowWidth;
    target->m_height = kOwnWindowHeight;
    bool overrideRedirect = false;
    int x0 = 0, y0 = 0;
    if (fullScreen) {
        x0 = monitor->left;
        y0 = monitor->top;
        target->m_width = monitor->Width();
        target->m_height = monitor->Height();
        attributes.event_mask |=
            KeyPressMask | ButtonPressMask | PointerMotionMask | EnterWindowMask | FocusChangeMask;
        // An invisible cursor: a 1 × 1 bitmap with nothing in its mask.
        const Pixmap blank = XCreatePixmap(display, root, 1, 1, 1);
        XColor black{};
        target->m_hiddenCursor = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
        XFreePixmap(display, blank);
        attributes.cursor = target->m_hiddenCursor;
        mask |= CWCursor;
        // Without a window manager that knows full-screen windows, the window
        // places itself over everything.
        overrideRedirect = !HasEwmhWindowManager(x);
        attributes.override_redirect = overrideRedirect ? True : False;
        mask |= CWOverrideRedirect;
    }
    target->m_window = XCreateWindow(display, root, x0, y0, static_cast<unsigned>(target->m_width),
                                     static_cast<unsigned>(target->m_height), 0, visual.depth, InputOutput,
                                     visual.visual, mask, &attributes);
    target->SetOwnWindowProperties(x, x0, y0);
    target->m_managed = fullScreen && !overrideRedirect;
    if (target->m_managed) {
        const Atom states[] = {x.Intern("_NET_WM_STATE_FULLSCREEN"), x.Intern("_NET_WM_STATE_ABOVE")};
        XChangeProperty(display, target->m_window, x.Intern("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(states), 2);
    }
    return target;
}

void DrawTarget::SetOwnWindowProperties(const XConnection& x, int left, int top)
{
    XStoreName(m_display, m_window, kWindowTitle);
    const Atom utf8 = x.Intern("UTF8_STRING");
    XChangeProperty(m_display, m_window, x.Intern("_NET_WM_NAME"), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(kWindowTitle), sizeof kWindowTitle - 1);
    char resName[] = "quorvana";
    char resClass[] = "Quorvana";
    XClassHint classHint{resName, resClass};
    XSetClassHint(m_display, m_window, &classHint);
    XSizeHints* size = XAllocSizeHints();
    size->flags = PSize | PMinSize;
    size->width = m_width;
    size->height = m_height;
    if (m_fullScreen) {
        // A window manager makes a window full screen on the monitor it was placed on.
        size->flags |= USPosition;
        size->x = left;
        size->y = top;
    }
    size->min_width = 1;
    size->min_height = 1;
    XSetWMNormalHints(m_display, m_window, size);
    XFree(size);
    m_deleteWindow = x.Intern("WM_DELETE_WINDOW");
    XSetWMProtocols(m_display, m_window, &m_deleteWindow, 1);
    XWMHints* hints = XAllocWMHints();
    hints->flags = InputHint;
    hints->input = m_fullScreen && !m_takesFocus ? False : True;
    XSetWMHints(m_display, m_window, hints);
    XFree(hints);
    const long pid = static_cast<long>(getpid());
    XChangeProperty(m_display, m_window, x.Intern("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
}

void DrawTarget::Show()
{
    if (m_owned) XMapRaised(m_display, m_window);
}

void DrawTarget::RequestFullScreen() const
{
    if (!m_managed) return;
    constexpr long kNetWmStateAdd = 1;
    constexpr long kSourceApplication = 1;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = m_window;
    message.xclient.message_type = XInternAtom(m_display, "_NET_WM_STATE", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = kNetWmStateAdd;
    message.xclient.data.l[1] = static_cast<long>(XInternAtom(m_display, "_NET_WM_STATE_FULLSCREEN", False));
    message.xclient.data.l[2] = static_cast<long>(XInternAtom(m_display, "_NET_WM_STATE_ABOVE", False));
    message.xclient.data.l[3] = kSourceApplication;
    XSendEvent(m_display, DefaultRootWindow(m_display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &message);
}

}  // namespace quorvana
