// SPDX-License-Identifier: MIT
// Whether xscreensaver can find the quorvana display mode: it runs a mode by
// name from its own folder of modes (Debian: /usr/libexec/xscreensaver),
// then along $PATH. --register warns when it cannot, as when Quorvana was
// registered from a build tree without installing the package.
#pragma once

#include <string>

namespace quorvana {

inline constexpr const char* kXscreensaverModeFolder = "/usr/libexec/xscreensaver";

// pathVariable: the value of $PATH, or null.
bool XscreensaverFinds(const std::string& program, const std::string& modeFolder, const char* pathVariable);

}  // namespace quorvana
