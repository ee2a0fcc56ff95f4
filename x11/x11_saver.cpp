// SPDX-License-Identifier: MIT
#include "x11/x11_saver.h"

#include <memory>

#include "x11/full_screen_saver.h"
#include "x11/window_saver.h"

namespace quorvana {

Result<> RunX11Saver(const XConnection& x, const X11SaverSettings& settings, int stopFd)
{
    // The saver goes, with its windows, before the connection.
    const std::unique_ptr<XDisplayClient> saver =
        settings.target == X11Target::FullScreen
            ? std::unique_ptr<XDisplayClient>(TRY(FullScreenSaver::Create(x, settings)))
            : std::unique_ptr<XDisplayClient>(TRY(WindowSaver::Create(x, settings)));
    return RunDisplayLoop(ConnectionNumber(x.Get()), stopFd, *saver);
}

}  // namespace quorvana
