// SPDX-License-Identifier: MIT
// The connection to the X server, closed when it goes out of scope, and the
// way X errors are met. Xlib reports protocol errors through one
// process-wide handler; the saver's handler never ends the program, since an
// error after the window went away (a drawing request already on its way) is
// expected and the DestroyNotify that follows ends the program cleanly.
// Where an error means something (a bad window id, MIT-SHM refused), an
// ErrorTrap around the requests tells whether any of them failed.
#pragma once

#include <X11/Xlib.h>
#include <memory>
#include <string>

#include "common/failure.h"

namespace quorvana {

class XConnection {
public:
    // Opens $DISPLAY; a usage Failure (status 2) when there is none to open.
    static Result<std::unique_ptr<XConnection>> Open();
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    Display* Get() const { return m_display; }
    Atom Intern(const char* name) const { return XInternAtom(m_display, name, False); }

private:
    explicit XConnection(Display* display) : m_display(display) {}
    Display* m_display;
};

// Counts the X errors caused by the requests made during its lifetime.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits for the server to handle every request so far; true if any failed.
    bool Failed();

private:
    Display* m_display;
    unsigned long m_errorsBefore;
};

}  // namespace quorvana
