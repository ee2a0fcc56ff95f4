// SPDX-License-Identifier: MIT
#include "x11/x_connection.h"

#include <X11/extensions/Xrandr.h>
#include <cstring>

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

bool XConnection::IsXwayland() const
{
    int opcode = 0, event = 0, error = 0;
    if (XQueryExtension(m_display, "XWAYLAND", &opcode, &event, &error)) return true;
    if (!XRRQueryExtension(m_display, &event, &error)) return false;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(m_display, DefaultRootWindow(m_display));
    if (!resources) return false;
    bool named = false;
    for (int i = 0; i < resources->noutput && !named; ++i) {
        if (XRROutputInfo* output = XRRGetOutputInfo(m_display, resources, resources->outputs[i])) {
            named = std::strncmp(output->name, "XWAYLAND", 8) == 0;
            XRRFreeOutputInfo(output);
        }
    }
    XRRFreeScreenResources(resources);
    return named;
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
