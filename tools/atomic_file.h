// Writes a whole file so that it appears complete or not at all: the bytes
// go to a name beside it first, which is renamed over the final name once
// everything has reached the file. The exporter writes every picture and
// recording this way.
#pragma once

#include <string>
#include <vector>

namespace quorvana {

// The name the bytes are written under until they are complete.
std::string PartialName(const std::string& path);

// Returns an error line naming the file and the reason, or empty on success.
std::string WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace quorvana
