// SPDX-License-Identifier: MIT
#include "x11/x11_saver.h"

#include <memory>

#include "x11/event_loop.h"
#include "x11/full_screen_saver.h"
#include "common/stop_signals.h"
#include "x11/window_saver.h"
#include "x11/x_connection.h"

namespace quorvana {
namespace {

Result<> Run(const SaverOptions& options)
{
    StopSignals stopSignals;
    const std::unique_ptr<XConnection> x = TRY(XConnection::Open());
    // The saver goes, with its windows, before the connection.
    const std::unique_ptr<LoopClient> saver =
        options.target == Target::FullScreen ? std::unique_ptr<LoopClient>(TRY(FullScreenSaver::Create(*x, options)))
                                             : std::unique_ptr<LoopClient>(TRY(WindowSaver::Create(*x, options)));
    return RunEventLoop(x->Get(), stopSignals.Fd(), *saver);
}

}  // namespace

Result<> RunX11Saver(const SaverOptions& options)
{
    return Run(options);
}

}  // namespace quorvana
