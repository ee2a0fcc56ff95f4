// SPDX-License-Identifier: MIT
// The kernels of an x86-64 build: scalar, SSE2 (the baseline), AVX2 and
// AVX-512 when the processor and the operating system support them.
#include <cpuid.h>

#include "render/escape_kernel.h"
#include "render/escape_kernel_x86.h"

namespace quorvana {
namespace {

// AVX-512 F, VL, DQ and BW, and an operating system that saves the state
// they use: XCR0's SSE and AVX bits (1, 2), the mask registers (5) and both
// halves of the 512-bit registers (6, 7). Asked directly rather than through
// the compiler's runtime, whose checks differ between GCC and clang versions.
bool HasAvx512()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || !(ecx & bit_OSXSAVE)) return false;
    unsigned xcr0 = 0, xcr0High = 0;
    __asm__("xgetbv" : "=a"(xcr0), "=d"(xcr0High) : "c"(0));
    constexpr unsigned kZmmState = 0b1110'0110;
    if ((xcr0 & kZmmState) != kZmmState) return false;
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return false;
    constexpr unsigned kFeatures = bit_AVX512F | bit_AVX512VL | bit_AVX512DQ | bit_AVX512BW;
    return (ebx & kFeatures) == kFeatures;
}

}  // namespace

std::vector<EscapeKernel> AvailableEscapeKernels()
{
    std::vector<EscapeKernel> kernels{{"scalar", EscapeRowScalar, AccumulateRowScalar, ColourRowScalar},
                                      {"sse2", EscapeRowSse2, AccumulateRowScalar, ColourRowSse2}};
    __builtin_cpu_init();
    // GCC's check includes the operating system's support for the wide registers.
    if (__builtin_cpu_supports("avx2")) kernels.push_back({"avx2", EscapeRowAvx2, AccumulateRowAvx2, ColourRowAvx2});
    if (HasAvx512()) kernels.push_back({"avx512", EscapeRowAvx512, AccumulateRowAvx512, ColourRowAvx512});
    return kernels;
}

}  // namespace quorvana
