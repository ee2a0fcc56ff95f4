// Test aid, loaded with LD_PRELOAD: sends the process the signal numbered in
// $SIGNAL_IN_FSYNC from inside every fsync(), the moment a signal used to
// leave a temporary file of quorvana --register behind.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdlib.h>

int fsync(int fd)
{
    static int (*real_fsync)(int);
    if (!real_fsync) real_fsync = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    const char* signal_number = getenv("SIGNAL_IN_FSYNC");
    if (signal_number) raise(atoi(signal_number));
    return real_fsync(fd);
}
