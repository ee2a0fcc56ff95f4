// SPDX-License-Identifier: MIT
#include "linux/front_end_choice.h"

namespace quorvana {

FrontEndPlan PlanFrontEnd(const SaverOptions& options, bool waylandDisplaySet)
{
    const bool surfaces = options.target == Target::FullScreen || options.target == Target::RootWindow;
    if (!surfaces || options.display == DisplaySystem::X11) return FrontEndPlan::X11;
    if (options.display == DisplaySystem::Wayland) return FrontEndPlan::WaylandOnly;
    return waylandDisplaySet ? FrontEndPlan::WaylandOrX11 : FrontEndPlan::X11;
}

}  // namespace quorvana
