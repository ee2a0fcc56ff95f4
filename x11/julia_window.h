// SPDX-License-Identifier: MIT
// The fractal window of the X11 saver, the counterpart of the Windows
// saver's CJuliaWnd: one Julia renderer driven by the event loop. Each tick
// draws the next row into the window's pixel store (the presenter's, often
// the very memory the server reads) and presents the rows that changed (and
// the marker, at a frame end); each completed series of Expose events
// restarts the picture, clipped to the exposed area; a new size is taken up
// at the next Expose. A full-screen window also applies the close rules to
// the user's input at it; the windows over several monitors share one set
// of rules, as one saver.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>
#include <memory>

#include "render/julia_renderer.h"
#include "x11/close_rules.h"
#include "render/dirty_surface.h"
#include "x11/draw_target.h"
#include "x11/expose_coalescer.h"
#include "x11/image_presenter.h"
#include "x11/pixel_format.h"

namespace quorvana {

class JuliaWindow {
public:
    // sharedMemory: whether pictures may go through MIT-SHM (see ImagePresenter);
    // closeRules: those of a full-screen saver, null for any other window.
    JuliaWindow(const DrawTarget& target, std::uint32_t seed, bool sharedMemory, CloseRules* closeRules = nullptr);

    enum class Next { Continue, Close };
    // A failure when a repaint cannot make the window's image.
    Result<Next> HandleEvent(const XEvent& event);

    // The repaint: a window that is already on the screen (another program's)
    // gets its first one at once, without waiting for an Expose.
    Result<> Repaint(const Rect& area);
    // One row, or the frame end after the last row.
    void Tick();

    // Ticks are due only after the first repaint has set the picture's size.
    bool Started() const { return m_started; }
    int FinishedPictures() const { return m_finishedPictures; }
    Window Id() const { return m_target.Id(); }

private:
    Next HandleInput(const XEvent& event);

    Display* m_display;
    const DrawTarget& m_target;
    JuliaRenderer m_renderer;
    std::unique_ptr<ImagePresenter> m_presenter;  // with the pixel store, of the size last repainted
    ExposeCoalescer m_exposes;
    CloseRules* m_closeRules;
    int m_width;   // the window's size as last reported; the presenter follows at the next Expose
    int m_height;
    bool m_sharedMemory;
    bool m_started = false;
    int m_finishedPictures = 0;
};

}  // namespace quorvana
