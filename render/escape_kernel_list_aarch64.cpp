// SPDX-License-Identifier: MIT
// The kernels of an arm64 build: scalar, and NEON (the arm64 baseline).
#include "render/escape_kernel.h"
#include "render/escape_kernel_aarch64.h"

namespace quorvana {

std::vector<EscapeKernel> AvailableEscapeKernels()
{
    return {{"scalar", EscapeRowScalar, AccumulateRowScalar, ColourRowScalar},
            {"neon", EscapeRowNeon, AccumulateRowScalar, ColourRowNeon}};
}

}  // namespace quorvana
