// SPDX-License-Identifier: MIT
#include "x11/julia_window.h"

#include <utility>

#include "render/dirty_surface.h"

namespace quorvana {

JuliaWindow::JuliaWindow(std::unique_ptr<DrawTarget> target, std::uint32_t seed, const PresenterChoices& choices)
    : m_target(std::move(target)),
      m_screen(seed),
      m_width(m_target->Width()),
      m_height(m_target->Height()),
      m_choices(choices)
{
}

Result<> JuliaWindow::Start()
{
    if (!m_target->Owned()) return Repaint(Rect{0, 0, m_width, m_height});
    m_target->Show();
    return {};
}

Result<> JuliaWindow::Repaint(const Rect& exposed)
{
    Rect area = exposed;
    if (!m_presenter || m_presenter->Width() != m_width || m_presenter->Height() != m_height) {
        // A new size: the whole window is redrawn, whatever part was exposed.
        m_presenter.reset();
        m_presenter = TRY(ImagePresenter::Create(*m_target, m_width, m_height, m_choices));
        area = Rect{0, 0, m_width, m_height};
    }
    PixelStore& store = m_presenter->WritableStore();
    store.SetClip(area);
    DirtySurface surface(store);
    m_screen.Reshape(surface);
    m_presenter->AfterRepaint();
    store.ResetClip();
    m_presenter->Present(surface.TakeDirty());
    return {};
}

void JuliaWindow::Tick()
{
    DirtySurface surface(m_presenter->WritableStore());
    const TickOutcome outcome = m_screen.Draw(surface);
    m_presenter->AfterTick(outcome, m_screen.LastViews(), m_screen.Row());
    m_presenter->Present(surface.TakeDirty());
}

Result<JuliaWindow::Next> JuliaWindow::HandleEvent(const XEvent& event)
{
    if (m_presenter && m_presenter->HandleEvent(event)) return Next::Continue;
    switch (event.type) {
    case Expose:
        if (event.xexpose.window != Id()) break;
        if (auto area = m_exposes.Add(Rect{event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                           event.xexpose.y + event.xexpose.height},
                                      event.xexpose.count))
            TRY(Repaint(*area));
        break;
    case ConfigureNotify:
        if (event.xconfigure.window != Id()) break;
        m_width = event.xconfigure.width;
        m_height = event.xconfigure.height;
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == Id()) return Next::Close;
        break;
    case ClientMessage:
        if (m_target->Owned() && event.xclient.window == Id() && event.xclient.format == 32 &&
            static_cast<Atom>(event.xclient.data.l[0]) == m_target->DeleteRequest())
            return Next::Close;
        break;
    case MapNotify:
        if (event.xmap.window != Id()) break;
        m_target->RequestFullScreen();
        // Keys go to the window with the focus; a full-screen saver takes it.
        if (m_target->TakesFocus()) XSetInputFocus(m_target->GetDisplay(), Id(), RevertToParent, CurrentTime);
        break;
    default:
        break;
    }
    return Next::Continue;
}

}  // namespace quorvana
