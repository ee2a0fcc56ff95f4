// The portable scalar kernel and the choice among the kernels a build holds.
#include "render/escape_kernel.h"

namespace quorvana {

// The plain loop once per point, with locals instead of the renderer's
// fields; the operations and their order are those of EscapeCount.
void EscapeRowScalar(const EscapeRowJob& job, std::int32_t* counts)
{
    for (int i = 0; i < job.count; ++i) {
        double zRe = job.xs[i];
        double zIm = job.y;
        double t = zRe * zRe;
        std::int32_t iter = 0;
        do {
            const double zReOld = zRe;
            ++iter;
            zRe = (t - zIm * zIm) + job.cRe;
            zIm = 2 * (zReOld * zIm) + job.cIm;
            t = zRe * zRe;
        } while (zIm * zIm + t < 4.0 && iter < job.maxIter);
        counts[i] = iter;
    }
}

EscapeKernel DispatchedEscapeKernel()
{
    return AvailableEscapeKernels().back();
}

std::optional<EscapeKernel> FindEscapeKernel(std::string_view name)
{
    for (const EscapeKernel& kernel : AvailableEscapeKernels())
        if (name == kernel.name) return kernel;
    return std::nullopt;
}

}  // namespace quorvana
