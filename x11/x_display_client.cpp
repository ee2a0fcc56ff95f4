// SPDX-License-Identifier: MIT
#include "x11/x_display_client.h"

#include <poll.h>

namespace quorvana {

Result<DisplayClient::Next> XDisplayClient::OnEvents()
{
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (TRY(OnEvent(event)) == Next::End) return Next::End;
    }
    return Next::Continue;
}

Result<std::optional<short>> XDisplayClient::BeforeSleep()
{
    XFlush(m_display);
    // A flush that waits for room to write reads the server's events meanwhile.
    if (XEventsQueued(m_display, QueuedAlready) > 0) return std::optional<short>();
    return std::optional<short>(POLLIN);
}

}  // namespace quorvana
