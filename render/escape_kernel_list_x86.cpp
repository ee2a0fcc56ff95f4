// SPDX-License-Identifier: MIT
// The kernels of an x86-64 build: scalar, SSE2 (the baseline) and AVX2 when
// the processor and the operating system support it.
#include "render/escape_kernel.h"
#include "render/escape_kernel_x86.h"

namespace quorvana {

std::vector<EscapeKernel> AvailableEscapeKernels()
{
    std::vector<EscapeKernel> kernels{{"scalar", EscapeRowScalar, AccumulateRowScalar, ColourRowScalar},
                                      {"sse2", EscapeRowSse2, AccumulateRowScalar, ColourRowSse2}};
    __builtin_cpu_init();
    // GCC's check includes the operating system's support for the wide registers.
    if (__builtin_cpu_supports("avx2")) kernels.push_back({"avx2", EscapeRowAvx2, AccumulateRowAvx2, ColourRowAvx2});
    return kernels;
}

}  // namespace quorvana
