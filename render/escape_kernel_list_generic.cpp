// SPDX-License-Identifier: MIT
// The kernels of a build for a processor without vector kernels of ours.
#include "render/escape_kernel.h"

namespace quorvana {

std::vector<EscapeKernel> AvailableEscapeKernels()
{
    return {{"scalar", EscapeRowScalar, AccumulateRowScalar, ColourRowScalar}};
}

}  // namespace quorvana
