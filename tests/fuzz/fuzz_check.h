// What a fuzz target does when an invariant fails: says which and where,
// and aborts, so that libFuzzer keeps the input as a crash. (A macro: clang
// 14 has no std::source_location.)
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(holds, what)                                                                  \
    do {                                                                                         \
        if (!(holds)) {                                                                          \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, what);    \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)
