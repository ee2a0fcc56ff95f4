// SPDX-License-Identifier: MIT
// Test aid (LD_PRELOAD): raises the signal numbered in $SIGNAL_IN_FSYNC inside
// every fsync(), where a signal once left quorvana --register's temporary file.
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
