// SPDX-License-Identifier: MIT
// Preloaded into the saver by put_in_flight.sh. From each XShmPutImage the
// image's pages are read-only until the saver has learnt that the server is
// done with the put: it read the put's completion event, or a round trip
// (XSync) came back after it. A write into a put still in flight thus ends
// the saver with SIGSEGV. With PUT_GUARD_GRAB set, a child process holds the
// server grabbed three quarters of the time, so that puts stay in flight
// across ticks. With PUT_GUARD_OLD_SERVER set, the server seems to offer
// MIT-SHM 1.1, which takes no file descriptors. At the end it says what
// memory the puts came from and how many the saver awaited with a round trip.
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

static char* s_pages;  // the guarded image, null when none is
static size_t s_bytes;
static unsigned long s_putSerial, s_puts, s_awaited;
static int s_completionType = -1;
static const char* s_memory = "none";

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

// True when this lifted a guard.
static int Lift(unsigned long serial)
{
    if (!s_pages || serial < s_putSerial) return 0;
    mprotect(s_pages, s_bytes, PROT_READ | PROT_WRITE);
    s_pages = NULL;
    return 1;
}

Bool XShmPutImage(Display* display, Drawable drawable, GC gc, XImage* image, int srcX, int srcY, int dstX, int dstY,
                  unsigned int width, unsigned int height, Bool sendEvent)
{
    const size_t page = (size_t)sysconf(_SC_PAGESIZE);
    s_completionType = XShmGetEventBase(display) + ShmCompletion;
    s_putSerial = NextRequest(display);
    s_pages = image->data;  // shared memory starts on a page
    s_bytes = ((size_t)image->bytes_per_line * (size_t)image->height + page - 1) / page * page;
    mprotect(s_pages, s_bytes, PROT_READ);
    ++s_puts;
    s_memory = ((XShmSegmentInfo*)image->obdata)->shmid >= 0 ? "system-v" : "file-descriptor";
    return REAL(XShmPutImage)(display, drawable, gc, image, srcX, srcY, dstX, dstY, width, height, sendEvent);
}

int XSync(Display* display, Bool discard)
{
    const int result = REAL(XSync)(display, discard);
    s_awaited += Lift(LastKnownRequestProcessed(display));
    return result;
}

int XNextEvent(Display* display, XEvent* event)
{
    const int result = REAL(XNextEvent)(display, event);
    if (event->type == s_completionType) Lift(event->xany.serial);
    return result;
}

Bool XShmQueryVersion(Display* display, int* major, int* minor, Bool* pixmaps)
{
    const Bool result = REAL(XShmQueryVersion)(display, major, minor, pixmaps);
    if (result && getenv("PUT_GUARD_OLD_SERVER") && *major == 1 && *minor > 1) *minor = 1;
    return result;
}

__attribute__((constructor)) static void GrabTheServer(void)
{
    const pid_t saver = getpid();
    if (!getenv("PUT_GUARD_GRAB") || fork() != 0) return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    Display* display = getppid() == saver ? XOpenDisplay(NULL) : NULL;
    while (display) {
        XGrabServer(display);
        XSync(display, False);
        usleep(30000);
        XUngrabServer(display);
        XSync(display, False);
        usleep(10000);
    }
    _exit(0);
}

__attribute__((destructor)) static void Report(void)
{
    fprintf(stderr, "put_guard: memory %s puts %lu awaited %lu\n", s_memory, s_puts, s_awaited);
}
