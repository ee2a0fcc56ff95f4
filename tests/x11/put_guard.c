// SPDX-License-Identifier: MIT
// Preloaded into the saver by put_in_flight.sh. From each XShmPutImage the
// image's pages are read-only until the saver has learnt that the server is
// done with the put: it read the put's completion event, or a round trip
// (XSync) came back after it. A write into a put still in flight thus ends
// the saver with SIGSEGV. With PUT_GUARD_GRAB set, a child process holds the
// server grabbed three quarters of the time, so that puts stay in flight
// across ticks. With PUT_GUARD_OLD_SERVER set, the server seems to offer
// MIT-SHM 1.1, which takes no file descriptors. At the end it says what
// memory the puts came from and how the guards were lifted.
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <dlfcn.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

static char* s_pages;  // the guarded image, null when none is
static size_t s_bytes;
static unsigned long s_putSerial;
static int s_completionType = -1;
static unsigned long s_puts, s_liftedByEvent, s_liftedBySync;
static const char* s_memory = "none";

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

static void Lift(unsigned long serial, unsigned long* counter)
{
    if (!s_pages || serial < s_putSerial) return;
    mprotect(s_pages, s_bytes, PROT_READ | PROT_WRITE);
    s_pages = NULL;
    ++*counter;
}

Bool XShmPutImage(Display* display, Drawable drawable, GC gc, XImage* image, int srcX, int srcY, int dstX, int dstY,
                  unsigned int width, unsigned int height, Bool sendEvent)
{
    const uintptr_t page = (uintptr_t)sysconf(_SC_PAGESIZE);
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
    Lift(LastKnownRequestProcessed(display), &s_liftedBySync);
    return result;
}

int XNextEvent(Display* display, XEvent* event)
{
    const int result = REAL(XNextEvent)(display, event);
    if (event->type == s_completionType) Lift(event->xany.serial, &s_liftedByEvent);
    return result;
}

Bool XShmQueryVersion(Display* display, int* major, int* minor, Bool* pixmaps)
{
    const Bool result = REAL(XShmQueryVersion)(display, major, minor, pixmaps);
    if (result && getenv("PUT_GUARD_OLD_SERVER") && *major == 1 && *minor > 1) *minor = 1;
    return result;
}

static void GrabForever(void)
{
    Display* display = XOpenDisplay(NULL);
    if (!display) _exit(1);
    for (;;) {
        XGrabServer(display);
        XSync(display, False);
        usleep(30000);
        XUngrabServer(display);
        XSync(display, False);
        usleep(10000);
    }
}

__attribute__((constructor)) static void Start(void)
{
    if (!getenv("PUT_GUARD_GRAB")) return;
    const pid_t saver = getpid();
    if (fork() != 0) return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != saver) _exit(0);
    GrabForever();
}

__attribute__((destructor)) static void Report(void)
{
    fprintf(stderr, "put_guard: memory %s puts %lu completions %lu round-trips %lu\n", s_memory, s_puts,
            s_liftedByEvent, s_liftedBySync);
}
