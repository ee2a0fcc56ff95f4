// SPDX-License-Identifier: MIT
#include "x11/x_connection.h"

#include <X11/extensions/Xrandr.h>
#include <cstring>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

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

// XOpenDisplay writes the server's reason for a refusal ("Authorization
// required, …") on standard error itself: it is taken here, so that the
// saver's one line can say it.
Display* OpenDisplay(const char* name, std::string& said)
{
    std::fflush(stderr);
    std::FILE* capture = std::tmpfile();
    const int saved = capture ? dup(STDERR_FILENO) : -1;
    if (saved < 0 || dup2(fileno(capture), STDERR_FILENO) < 0) {
        if (saved >= 0) close(saved);
        if (capture) std::fclose(capture);
        return XOpenDisplay(name);
    }
    Display* display = XOpenDisplay(name);
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    std::rewind(capture);
    char line[256];
    while (std::fgets(line, sizeof line, capture)) {
        std::string text(line);
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
        if (!text.empty()) said += (said.empty() ? "" : "; ") + text;
    }
    std::fclose(capture);
    return display;
}

}  // namespace

Result<std::unique_ptr<XConnection>> XConnection::Open()
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return Failure::Usage("no display: $DISPLAY is not set (run it in an X session, or inside xvfb-run)");
    std::string said;
    Display* display = OpenDisplay(name, said);
    // No such display is the caller's mistake; one that is there but
    // refuses the saver (and says why) is a run-time failure.
    if (!display && said.empty()) return Failure::Usage(std::string("cannot open display '") + name + "'");
    if (!display) return Failure::Runtime(std::string("cannot open display '") + name + "': " + said);
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
