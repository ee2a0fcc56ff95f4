// SPDX-License-Identifier: MIT
#include "x11/x11_saver.h"

#include <memory>
#include <new>

#include "x11/full_screen_saver.h"
#include "x11/window_saver.h"

namespace quorvana {
namespace {

Result<> Run(const XConnection& x, const X11SaverSettings& settings, int stopFd)
{
    // The saver goes, with its windows, before the connection.
    const std::unique_ptr<XDisplayClient> saver =
        settings.target == X11Target::FullScreen
            ? std::unique_ptr<XDisplayClient>(TRY(FullScreenSaver::Create(x, settings)))
            : std::unique_ptr<XDisplayClient>(TRY(WindowSaver::Create(x, settings)));
    return RunDisplayLoop(ConnectionNumber(x.Get()), stopFd, *saver);
}

}  // namespace

Result<> RunX11Saver(const XConnection& x, const X11SaverSettings& settings, int stopFd)
{
    try {
        return Run(x, settings, stopFd);
    } catch (const std::bad_alloc&) {
        // The pixel store takes four bytes a pixel; unwinding has already
        // freed the image, the shared segment and the connection.
        return Failure::Runtime("not enough memory for a window this large");
    }
}

}  // namespace quorvana
