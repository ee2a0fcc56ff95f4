// SPDX-License-Identifier: MIT
#include "x11/julia_window.h"

namespace quorvana {

JuliaWindow::JuliaWindow(Display* display, const DrawTarget& target, const PixelFormat& format, std::uint32_t seed,
                         bool sharedMemory, CloseRules* closeRules)
    : m_display(display),
      m_target(target),
      m_format(format),
      m_renderer(seed),
      m_closeRules(closeRules),
      m_width(target.Width()),
      m_height(target.Height()),
      m_sharedMemory(sharedMemory)
{
}

void JuliaWindow::Repaint(const Rect& exposed)
{
    Rect area = exposed;
    if (!m_presenter || m_presenter->Width() != m_width || m_presenter->Height() != m_height) {
        // A new size: the whole window is redrawn, whatever part was exposed.
        m_presenter.reset();
        m_presenter = std::make_unique<ImagePresenter>(m_display, m_target.Id(), m_target.GetVisual(),
                                                       m_target.Depth(), m_format, m_width, m_height, m_sharedMemory);
        area = Rect{0, 0, m_width, m_height};
    }
    PixelStore& store = m_presenter->WritableStore();
    store.SetClip(area);
    DirtySurface surface(store);
    m_renderer.RestartPicture(surface);
    store.ResetClip();
    m_presenter->Present(surface.TakeDirty());
    m_started = true;
}

void JuliaWindow::Tick()
{
    DirtySurface surface(m_presenter->WritableStore());
    if (m_renderer.DrawNextRow(surface) != TickOutcome::Row) ++m_finishedPictures;
    m_presenter->Present(surface.TakeDirty());
}

JuliaWindow::Next JuliaWindow::HandleEvent(const XEvent& event)
{
    if (m_presenter && m_presenter->HandleEvent(event)) return Next::Continue;
    switch (event.type) {
    case Expose:
        if (event.xexpose.window != m_target.Id()) break;
        if (auto area = m_exposes.Add(Rect{event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                           event.xexpose.y + event.xexpose.height},
                                      event.xexpose.count))
            Repaint(*area);
        break;
    case ConfigureNotify:
        if (event.xconfigure.window != m_target.Id()) break;
        m_width = event.xconfigure.width;
        m_height = event.xconfigure.height;
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == m_target.Id()) return Next::Close;
        break;
    case ClientMessage:
        if (m_target.Owned() && event.xclient.window == m_target.Id() && event.xclient.format == 32 &&
            static_cast<Atom>(event.xclient.data.l[0]) == m_target.DeleteRequest())
            return Next::Close;
        break;
    case MapNotify:
        if (event.xmap.window != m_target.Id()) break;
        m_target.RequestFullScreen();
        // Keys go to the window with the focus; a full-screen saver takes it.
        if (m_target.TakesFocus()) XSetInputFocus(m_display, m_target.Id(), RevertToParent, CurrentTime);
        break;
    default:
        if (m_closeRules && event.xany.window == m_target.Id()) return HandleInput(event);
        break;
    }
    return Next::Continue;
}

JuliaWindow::Next JuliaWindow::HandleInput(const XEvent& event)
{
    bool close = false;
    switch (event.type) {
    case KeyPress:
        close = m_closeRules->OnKeyPress();
        break;
    case ButtonPress:
        close = m_closeRules->OnButtonPress(event.xbutton.button);
        break;
    case MotionNotify:
        close = m_closeRules->OnPointerAt(event.xmotion.x_root, event.xmotion.y_root);
        break;
    case EnterNotify:
        close = m_closeRules->OnCrossingAt(event.xcrossing.x_root, event.xcrossing.y_root);
        break;
    case FocusOut:
        close = m_closeRules->OnFocusOut(event.xfocus.mode, event.xfocus.detail);
        break;
    default:
        break;
    }
    return close ? Next::Close : Next::Continue;
}

}  // namespace quorvana
