// SPDX-License-Identifier: MIT
// x11_probe: the X11 tests' hands and eyes, as another client on the display.
//   host WxH[+X+Y] [DEPTH]  makes a window (of the root's visual, or of a TrueColor
//                     visual of DEPTH), maps it, prints its id (hex) once it
//                     is on the screen, and keeps it until killed
//   lit-rows ID [Y0 Y1 [X0 X1]]   prints how many rows of the window (within the
//                     given rows and columns) hold a pixel that is not black
//   dump ID FILE      writes the window's pixels as a binary PPM (RGB)
//   expose ID X Y W H asks the server to expose that part of the window
//   resize ID WxH     resizes the window
//   destroy ID        destroys the window
//   close ID          sends the window manager's close request (WM_DELETE_WINDOW)
//   monitors 0 WxH+X+Y[*]...   makes these the RandR 1.5 monitors (* the primary)
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <X11/Xutil.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <string>
#include <unistd.h>

namespace {

int Usage()
{
    std::fputs("usage: x11_probe host WxH[+X+Y] [DEPTH] | dump ID FILE | lit-rows ID [Y0 Y1 [X0 X1]] | expose ID X Y W H |"
               " resize ID WxH | destroy ID | close ID | monitors 0 WxH+X+Y[*]...\n",
               stderr);
    return 2;
}

bool ParseSize(const char* text, unsigned* w, unsigned* h)
{
    return std::sscanf(text, "%ux%u", w, h) == 2 && *w > 0 && *h > 0;
}

int Host(Display* display, const char* size, int depth)
{
    unsigned w = 0, h = 0;
    int x = 0, y = 0;
    if (!ParseSize(size, &w, &h)) return Usage();
    if (const char* plus = std::strchr(size, '+'); plus && std::sscanf(plus, "+%d+%d", &x, &y) != 2) return Usage();
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    // No background: the server paints nothing on an exposure, so whatever
    // the window shows afterwards was drawn by the client under test.
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    unsigned long mask = CWBackPixmap;
    Visual* visual = CopyFromParent;
    if (depth != 0) {
        XVisualInfo info;
        if (!XMatchVisualInfo(display, screen, depth, TrueColor, &info)) {
            std::fprintf(stderr, "x11_probe: no TrueColor visual of depth %d\n", depth);
            return 1;
        }
        visual = info.visual;
        attributes.colormap = XCreateColormap(display, root, visual, AllocNone);
        attributes.border_pixel = 0;
        mask |= CWColormap | CWBorderPixel;
    } else {
        depth = CopyFromParent;
    }
    const Window window =
        XCreateWindow(display, root, x, y, w, h, 0, depth, InputOutput, visual, mask, &attributes);
    XStoreName(display, window, "x11_probe host");
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify) break;
    }
    XSelectInput(display, window, NoEventMask);
    XSync(display, False);
    std::printf("0x%lx\n", window);
    std::fflush(stdout);
    for (;;) pause();  // the window goes with the connection when the test kills us
}

int LitRows(Display* display, Window window, int argc, char** argv)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    int y0 = 0, y1 = attributes.height, x0 = 0, x1 = attributes.width;
    if (argc >= 2) {
        y0 = std::atoi(argv[0]);
        y1 = std::atoi(argv[1]);
    }
    if (argc >= 4) {
        x0 = std::atoi(argv[2]);
        x1 = std::atoi(argv[3]);
    }
    XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return 1;
    int lit = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, attributes.height); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, attributes.width); ++x) {
            if ((XGetPixel(image, x, y) & 0xFFFFFF) != 0) {
                ++lit;
                break;
            }
        }
    }
    XDestroyImage(image);
    std::printf("%d\n", lit);
    return 0;
}

int Shift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int Dump(Display* display, Window window, const char* path)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return 1;
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return 1;
    const Visual* visual = attributes.visual;
    std::fprintf(file, "P6\n%d %d\n255\n", attributes.width, attributes.height);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const unsigned char rgb[3] = {
                static_cast<unsigned char>((pixel & visual->red_mask) >> Shift(visual->red_mask)),
                static_cast<unsigned char>((pixel & visual->green_mask) >> Shift(visual->green_mask)),
                static_cast<unsigned char>((pixel & visual->blue_mask) >> Shift(visual->blue_mask))};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    XDestroyImage(image);
    return std::fclose(file) == 0 ? 0 : 1;
}

int SendClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    return 0;
}

int SetMonitors(Display* display, int count, char** heads)
{
    XRRScreenResources* resources = XRRGetScreenResources(display, DefaultRootWindow(display));
    for (int i = 0; i < count; ++i) {
        XRRMonitorInfo* m = XRRAllocateMonitor(display, i == 0 ? 1 : 0);  // the first takes the output's place
        if (i == 0) m->outputs[0] = resources->outputs[0];
        m->name = XInternAtom(display, ("QUORVANA-" + std::to_string(i)).c_str(), False);
        m->primary = std::sscanf(heads[i], "%dx%d+%d+%d*", &m->width, &m->height, &m->x, &m->y) == 4 &&
                     std::strchr(heads[i], '*') != nullptr;
        XRRSetMonitor(display, DefaultRootWindow(display), m);
        XRRFreeMonitors(m);
    }
    XRRFreeScreenResources(resources);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return Usage();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("x11_probe: no display\n", stderr);
        return 1;
    }
    const std::string command = argv[1];
    int status = 0;
    if (command == "host") return Host(display, argv[2], argc > 3 ? std::atoi(argv[3]) : 0);
    const Window window = std::strtoul(argv[2], nullptr, 0);
    if (command == "lit-rows") {
        status = LitRows(display, window, argc - 3, argv + 3);
    } else if (command == "dump" && argc == 4) {
        status = Dump(display, window, argv[3]);
    } else if (command == "expose" && argc == 7) {
        XClearArea(display, window, std::atoi(argv[3]), std::atoi(argv[4]),
                   static_cast<unsigned>(std::atoi(argv[5])), static_cast<unsigned>(std::atoi(argv[6])), True);
    } else if (command == "resize" && argc == 4) {
        unsigned w = 0, h = 0;
        if (!ParseSize(argv[3], &w, &h)) return Usage();
        XResizeWindow(display, window, w, h);
    } else if (command == "destroy") {
        XDestroyWindow(display, window);
    } else if (command == "close") {
        status = SendClose(display, window);
    } else if (command == "monitors") {
        status = SetMonitors(display, argc - 3, argv + 3);
    } else {
        return Usage();
    }
    XSync(display, False);
    XCloseDisplay(display);
    return status;
}
