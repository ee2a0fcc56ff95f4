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

Result<std::unique_ptr<DrawTarget>> DrawTarget::Given(const XConnection& x, Window window)
{
    Display* display = x.Get();
    XWindowAttributes attributes;
    ErrorTrap trap(display);
    // Selecting first: a window destroyed after this call still reports it.
    XSelectInput(display, window, ExposureMask | StructureNotifyMask);
    const Status read = XGetWindowAttributes(display, window, &attributes);
    if (trap.Failed() || !read)
        return Failure::Usage("there is no window " + HexId(window) + " on display '" + DisplayString(display) + "'");
    if (attributes.c_class != InputOutput)
        return Failure::Usage("window " + HexId(window) + " is input-only and cannot be drawn on");
    const Visual* visual = attributes.visual;
    const PixelFormat format = TRY(PixelFormat::FromVisual(visual->c_class, attributes.depth, visual->red_mask,
                                                           visual->green_mask, visual->blue_mask));
    std::unique_ptr<DrawTarget> target(new DrawTarget(display, format));
    target->m_window = window;
    target->m_visual = attributes.visual;
    target->m_depth = attributes.depth;
    target->m_width = attributes.width;
    target->m_height = attributes.height;
    return target;
}

Result<std::unique_ptr<DrawTarget>> DrawTarget::Root(const XConnection& x)
{
    return Given(x, DefaultRootWindow(x.Get()));
}

// The default visual when it will do, else any TrueColor visual of depth 24
// (then 32) that the screen offers.
Result<XVisualInfo> DrawTarget::PickVisual(Display* display, int screen)
{
    XVisualInfo chosen{};
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(DefaultVisual(display, screen));
    wanted.screen = screen;
    int count = 0;
    if (XVisualInfo* found = XGetVisualInfo(display, VisualIDMask | VisualScreenMask, &wanted, &count)) {
        const bool usable = count > 0 && PixelFormat::Drawable(found[0].c_class, found[0].depth);
        if (usable) chosen = found[0];
        XFree(found);
        if (usable) return chosen;
    }
    if (XMatchVisualInfo(display, screen, 24, TrueColor, &chosen) ||
        XMatchVisualInfo(display, screen, 32, TrueColor, &chosen))
        return chosen;
    return Failure::Runtime("the screen offers no TrueColor visual of depth 24 or 32, which quorvana needs");
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

Result<std::unique_ptr<DrawTarget>> DrawTarget::Own(const XConnection& x)
{
    return Create(x, nullptr, Focus::Refuses);
}

Result<std::unique_ptr<DrawTarget>> DrawTarget::FullScreen(const XConnection& x, const Rect& monitor, Focus focus)
{
    return Create(x, &monitor, focus);
}

// monitor: the area a full-screen window covers; null for an ordinary window.
Result<std::unique_ptr<DrawTarget>> DrawTarget::Create(const XConnection& x, const Rect* monitor, Focus focus)
{
    Display* display = x.Get();
    const XVisualInfo visual = TRY(PickVisual(display, DefaultScreen(display)));
    const PixelFormat format = TRY(PixelFormat::FromVisual(visual.c_class, visual.depth, visual.red_mask,
                                                           visual.green_mask, visual.blue_mask));
    std::unique_ptr<DrawTarget> target(new DrawTarget(display, format));
    target->m_owned = true;
    target->m_fullScreen = monitor != nullptr;
    target->m_takesFocus = monitor && focus == Focus::Takes;
    const Rect area = monitor ? *monitor : Rect{0, 0, kOwnWindowWidth, kOwnWindowHeight};
    target->CreateWindow(x, visual, area);
    target->SetOwnWindowProperties(x, area.left, area.top);
    if (target->m_fullScreen && !target->m_overrideRedirect) {
        const Atom states[] = {x.Intern("_NET_WM_STATE_FULLSCREEN"), x.Intern("_NET_WM_STATE_ABOVE")};
        XChangeProperty(display, target->m_window, x.Intern("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(states), 2);
    }
    return target;
}

void DrawTarget::CreateWindow(const XConnection& x, const XVisualInfo& visual, const Rect& area)
{
    const Window root = RootWindow(m_display, visual.screen);
    m_visual = visual.visual;
    m_depth = visual.depth;
    m_width = area.Width();
    m_height = area.Height();
    XSetWindowAttributes attributes{};
    unsigned long mask = CWBackPixel | CWBorderPixel | CWEventMask;
    attributes.background_pixel = 0;
    attributes.border_pixel = 0;
    attributes.event_mask = ExposureMask | StructureNotifyMask;
    if (visual.visual != DefaultVisual(m_display, visual.screen)) {
        m_colormap = XCreateColormap(m_display, root, visual.visual, AllocNone);
        attributes.colormap = m_colormap;
        mask |= CWColormap;
    }
    if (m_fullScreen)
        HideCursorAndStayOnTop(x, attributes, mask);
    else
        attributes.event_mask |= KeyPressMask;  // the keys that end it (WindowSaver)
    m_window = XCreateWindow(m_display, root, area.left, area.top, static_cast<unsigned>(m_width),
                             static_cast<unsigned>(m_height), 0, visual.depth, InputOutput, visual.visual, mask,
                             &attributes);
}

// A full-screen window hears the user's input, shows no cursor and, without a
// window manager that knows full-screen windows, places itself over everything.
void DrawTarget::HideCursorAndStayOnTop(const XConnection& x, XSetWindowAttributes& attributes, unsigned long& mask)
{
    const Window root = DefaultRootWindow(m_display);
    attributes.event_mask |= KeyPressMask | ButtonPressMask | PointerMotionMask | EnterWindowMask | FocusChangeMask;
    // An invisible cursor: a 1 × 1 bitmap with nothing in its mask.
    const Pixmap blank = XCreatePixmap(m_display, root, 1, 1, 1);
    XColor black{};
    m_hiddenCursor = XCreatePixmapCursor(m_display, blank, blank, &black, &black, 0, 0);
    XFreePixmap(m_display, blank);
    attributes.cursor = m_hiddenCursor;
    m_overrideRedirect = !HasEwmhWindowManager(x);
    attributes.override_redirect = m_overrideRedirect ? True : False;
    mask |= CWCursor | CWOverrideRedirect;
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

}  // namespace quorvana
