// SPDX-License-Identifier: MIT
// The detail search the plain way, for tests and benchmarks only: down one
// column after the other, pixel by pixel through GetPixel. It is the
// reference that JuliaRenderer::FindDetailColumn, which reads whole rows in
// memory order, must agree with, and the baseline it is measured against.
#pragma once

#include "render/julia_renderer.h"

namespace quorvana {

// What renderer.FindDetailColumn(surface) returns, found column by column.
int FindDetailColumnColumnOrder(const JuliaRenderer& renderer, const Surface& surface);

}  // namespace quorvana
