// SPDX-License-Identifier: MIT
// The window the saver draws on: one that another program made (by id, or
// xscreensaver's), the root window, or a window of its own, either an
// ordinary resizable top-level window or one that covers a monitor (the
// full-screen saver has one over each). It knows the PixelFormat of its
// visual, so that whatever draws on it asks it alone. An own window is
// destroyed, with its colormap and cursor, when this object goes.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <memory>
#include <string>

#include "common/failure.h"
#include "render/surface.h"
#include "x11/pixel_format.h"
#include "x11/x_connection.h"

namespace quorvana {

inline constexpr int kOwnWindowWidth = 800;
inline constexpr int kOwnWindowHeight = 600;
inline constexpr char kWindowTitle[] = "Quorvana";

class DrawTarget {
public:
    // Another program's window (or the root). A usage Failure when no such
    // window exists or it is input-only; a run-time one when its visual is
    // not one the saver draws on.
    static Result<std::unique_ptr<DrawTarget>> Given(const XConnection& x, Window window);
    static Result<std::unique_ptr<DrawTarget>> Root(const XConnection& x);
    // A new ordinary window, not yet mapped: Show maps it. A run-time
    // Failure when the screen offers no visual the saver draws on.
    static Result<std::unique_ptr<DrawTarget>> Own(const XConnection& x);
    // A new window over the monitor's area of the screen, not yet mapped.
    // Only the primary's takes the keyboard focus, so that focus never
    // passes between the saver's own windows.
    enum class Focus { Takes, Refuses };
    static Result<std::unique_ptr<DrawTarget>> FullScreen(const XConnection& x, const Rect& monitor, Focus focus);
    ~DrawTarget();
    DrawTarget(const DrawTarget&) = delete;
    DrawTarget& operator=(const DrawTarget&) = delete;

    void Show();

    Display* GetDisplay() const { return m_display; }
    Window Id() const { return m_window; }
    Visual* GetVisual() const { return m_visual; }
    const PixelFormat& Format() const { return m_format; }
    int Depth() const { return m_depth; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Owned() const { return m_owned; }
    bool IsFullScreen() const { return m_fullScreen; }
    bool TakesFocus() const { return m_takesFocus; }
    // The window manager's close request for an own window (WM_DELETE_WINDOW).
    Atom DeleteRequest() const { return m_deleteWindow; }

private:
    DrawTarget(Display* display, const PixelFormat& format) : m_display(display), m_format(format) {}
    static Result<XVisualInfo> PickVisual(Display* display, int screen);
    static Result<std::unique_ptr<DrawTarget>> Create(const XConnection& x, const Rect* monitor, Focus focus);
    void CreateWindow(const XConnection& x, const XVisualInfo& visual, const Rect& area);
    void HideCursorAndStayOnTop(const XConnection& x, XSetWindowAttributes& attributes, unsigned long& mask);
    void SetOwnWindowProperties(const XConnection& x, int left, int top);
    static bool HasEwmhWindowManager(const XConnection& x);

    Display* m_display;
    PixelFormat m_format;
    Window m_window = 0;
    Visual* m_visual = nullptr;
    int m_depth = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_owned = false;
    bool m_fullScreen = false;
    bool m_takesFocus = false;
    bool m_overrideRedirect = false;  // full screen without a window manager that knows it
    Atom m_deleteWindow = 0;
    Colormap m_colormap = 0;  // only when an own window needs a visual other than the default
    Cursor m_hiddenCursor = 0;
};

}  // namespace quorvana
