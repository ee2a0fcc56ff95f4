// SPDX-License-Identifier: MIT
// Preloaded by put_in_flight.sh: from each XShmPutImage the image is read-only until the saver has read the
// put's completion event or a round trip (XSync) came back after it; a write into a put in flight is a SIGSEGV.
// PUT_GUARD_GRAB: a child keeps the server grabbed 3/4 of the time, so puts stay in flight across ticks.
// PUT_GUARD_OLD_SERVER: the server offers MIT-SHM 1.1 (no file descriptors).
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

// 1 when this lifted the guard.
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
    s_completionType = XShmGetEventBase(display) + ShmCompletion;
    s_putSerial = NextRequest(display);
    s_pages = image->data;  // shared memory starts on a page; mprotect takes in the last page part
    s_bytes = (size_t)image->bytes_per_line * (size_t)image->height;
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
    for (int grab = 1; display; grab = !grab) {
        grab ? XGrabServer(display) : XUngrabServer(display);
        XSync(display, False);
        usleep(grab ? 30000 : 10000);
    }
    _exit(0);
}

// The puts' memory, how many, how many the saver awaited with a round trip.
__attribute__((destructor)) static void Report(void)
{
    fprintf(stderr, "put_guard: memory %s puts %lu awaited %lu\n", s_memory, s_puts, s_awaited);
}
