// SPDX-License-Identifier: MIT
// The fractal window of the X11 saver, the counterpart of the Windows
// saver's CJuliaWnd: one saver screen (saver/saver_screen.h) over the
// DrawTarget it owns. Each
// tick draws the next row into the window's pixel store (the presenter's,
// often the very memory the server reads) and presents the rows that
// changed (and the marker, at a frame end); each completed series of Expose
// events restarts the picture, clipped to the exposed area; a new size is
// taken up at the next Expose. It answers only its own window's events:
// what the user's input means is its saver's affair (x11/window_saver.h,
// x11/full_screen_saver.h).
#pragma once

#include <X11/Xlib.h>
#include <cstdint>
#include <memory>

#include "common/failure.h"
#include "saver/saver_screen.h"
#include "x11/draw_target.h"
#include "x11/expose_coalescer.h"
#include "x11/image_presenter.h"

namespace quorvana {

class JuliaWindow {
public:
    // choices: how its pictures reach the screen (see ImagePresenter).
    JuliaWindow(std::unique_ptr<DrawTarget> target, std::uint32_t seed, const PresenterChoices& choices);

    // Puts the window on the screen: an own window is mapped and its first
    // Expose starts the first picture; a window already on the screen
    // (another program's) gets its first repaint at once.
    Result<> Start();

    enum class Next { Continue, Close };
    // An event of this window (its id in event.xany.window): Close when the
    // window is destroyed or the window manager closes it; a failure when a
    // repaint cannot make the window's image.
    Result<Next> HandleEvent(const XEvent& event);

    // One row, or the frame end after the last row.
    void Tick();

    // Its picture: ticks are due only after the first repaint has begun one.
    const SaverScreen& Screen() const { return m_screen; }
    Window Id() const { return m_target->Id(); }
    const DrawTarget& Target() const { return *m_target; }

private:
    Result<> Repaint(const Rect& area);

    std::unique_ptr<DrawTarget> m_target;
    SaverScreen m_screen;
    std::unique_ptr<ImagePresenter> m_presenter;  // with the pixel store, of the size last repainted
    ExposeCoalescer m_exposes;
    int m_width;   // the window's size as last reported; the presenter follows at the next Expose
    int m_height;
    PresenterChoices m_choices;
};

}  // namespace quorvana
