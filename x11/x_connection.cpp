// SPDX-License-Identifier: MIT
#include "x11/x_connection.h"

#include <cstdio>
#include <cstdlib>

namespace quorvana {

namespace {

// Xlib's error handler takes no context pointer, so the count is process-wide.
unsigned long s_errorCount = 0;

int CountError(Display*, XErrorEvent*)
{
    ++s_errorCount;
    return 0;
}

int ConnectionLost(Display*)
{
    std::fputs("quorvana: lost the connection to the X server\n", stderr);
    std::_Exit(1);
}

}  // namespace

Result<std::unique_ptr<XConnection>> XConnection::Open()
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return Failure::Usage("no display: $DISPLAY is not set (run it in an X session, or inside xvfb-run)");
    Display* display = XOpenDisplay(name);
    if (!display) return Failure::Usage(std::string("cannot open display '") + name + "'");
    XSetErrorHandler(CountError);
    XSetIOErrorHandler(ConnectionLost);
    return std::unique_ptr<XConnection>(new XConnection(display));
}

XConnection::~XConnection()
{
    XCloseDisplay(m_display);
}

ErrorTrap::ErrorTrap(Display* display) : m_display(display)
{
    XSync(m_display, False);
    m_errorsBefore = s_errorCount;
}

ErrorTrap::~ErrorTrap()
{
    XSync(m_display, False);
}

bool ErrorTrap::Failed()
{
    XSync(m_display, False);
    return s_errorCount != m_errorsBefore;
}

}  // namespace quorvana
