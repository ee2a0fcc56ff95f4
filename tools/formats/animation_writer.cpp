// SPDX-License-Identifier: MIT
#include "tools/formats/animation_writer.h"

namespace quorvana {

bool HasExtension(const std::string& file, const std::string& extension)
{
    if (file.size() <= extension.size()) return false;  // a name, not only its extension
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = file[file.size() - extension.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != extension[i]) return false;
    }
    return true;
}

}  // namespace quorvana
